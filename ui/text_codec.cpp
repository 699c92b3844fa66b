#include "ui/text_codec.h"

#include "engine/cp1251.h"

namespace ui {

QString FromCp1251(std::string_view bytes)
{
    return QString::fromStdString(engine::Cp1251ToUtf8(bytes));
}

std::string ToCp1251(const QString &text) { return engine::Utf8ToCp1251(text.toStdString()); }

} // namespace ui
