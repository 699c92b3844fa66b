#include "ui/belarusian_texts.h"

#include <cstring>

namespace ui {

namespace {

    struct Text
    {
        const char *Context;
        const char *Source;
        const char *Belarusian; // UTF-8
    };

    constexpr Text Texts[] = {
        { "QFileSystemModel", "Name", "Імя" },
        { "QFileSystemModel", "Size", "Памер" },
        { "QFileSystemModel", "Type", "Тып" },
        { "QFileSystemModel", "Date Modified", "Зменены" },
        { "QFileSystemModel", "My Computer", "Камп'ютар" },
        { "QFileSystemModel", "Computer", "Камп'ютар" },
        { "QAbstractFileIconProvider", "Folder", "Папка" },
        { "QAbstractFileIconProvider", "File", "Файл" },
        { "QAbstractFileIconProvider", "Drive", "Дыск" },
        { "QFileDialog", "Back", "Назад" },
        { "QFileDialog", "Forward", "Наперад" },
        { "QFileDialog", "Parent Directory", "Папка вышэй" },
        { "QFileDialog", "Create New Folder", "Новая папка" },
        { "QFileDialog", "New Folder", "Новая папка" },
        { "QFileDialog", "&New Folder", "&Новая папка" },
        { "QFileDialog", "List View", "Спіс" },
        { "QFileDialog", "Detail View", "Падрабязна" },
        { "QFileDialog", "&Rename", "&Перайменаваць" },
        { "QFileDialog", "&Delete", "&Выдаліць" },
        { "QFileDialog", "Show &hidden files", "Паказваць &схаваныя файлы" },
        { "QFileDialog", "Recent Places", "Нядаўнія месцы" },
        { "QPlatformTheme", "OK", "OK" },
        { "QPlatformTheme", "Cancel", "Адмена" },
        { "QPlatformTheme", "Yes", "Так" },
        { "QPlatformTheme", "No", "Не" },
        { "QPlatformTheme", "Open", "Адкрыць" },
        { "QPlatformTheme", "Save", "Захаваць" },
        { "QPlatformTheme", "Close", "Закрыць" },
        { "QLineEdit", "&Undo", "&Адмяніць" },
        { "QLineEdit", "&Redo", "&Паўтарыць" },
        { "QLineEdit", "Cu&t", "&Выразаць" },
        { "QLineEdit", "&Copy", "&Капіяваць" },
        { "QLineEdit", "&Paste", "&Уставіць" },
        { "QLineEdit", "Delete", "Выдаліць" },
        { "QLineEdit", "Select All", "Вылучыць усё" },
        { "QWidgetTextControl", "&Undo", "&Адмяніць" },
        { "QWidgetTextControl", "&Redo", "&Паўтарыць" },
        { "QWidgetTextControl", "Cu&t", "&Выразаць" },
        { "QWidgetTextControl", "&Copy", "&Капіяваць" },
        { "QWidgetTextControl", "&Paste", "&Уставіць" },
        { "QWidgetTextControl", "Delete", "Выдаліць" },
        { "QWidgetTextControl", "Select All", "Вылучыць усё" },
    };

} // namespace

QString BelarusianTexts::translate(
    const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    for (const Text &text : Texts) {
        if (std::strcmp(text.Context, context) == 0 && std::strcmp(text.Source, sourceText) == 0)
            return QString::fromUtf8(text.Belarusian);
    }
    return {}; // Qt's own text
}

} // namespace ui
