#include "ui/text_codec.h"

#include <QFile>

#include "engine/cp1251.h"

namespace ui {

QString FromCp1251(std::string_view bytes)
{
    return QString::fromStdString(engine::Cp1251ToUtf8(bytes));
}

std::string ToCp1251(const QString &text) { return engine::Utf8ToCp1251(text.toStdString()); }

std::optional<Unencodable> FirstUnencodable(const QString &text)
{
    qsizetype column = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ++column;
        const char16_t unit = text[i].unicode();
        if (unit < 0x80)
            continue;
        char32_t codePoint = unit;
        qsizetype length = 1;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            codePoint = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            length = 2;
        }
        if (engine::Cp1251ByteOf(codePoint) < 0)
            return Unencodable { column, text.mid(i, length) };
        i += length - 1;
    }
    return std::nullopt;
}

std::filesystem::path ToPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace ui
