// The rewritten protocol on paper and in PDF: A4 pages, the tables' fixed columns intact, page
// numbers at the foot.
//
// Wiring in the main window, with `protocol` the output's bytes
// (`ui::JoinLines(Memo2->Store().Lines())`):
// - "Друк…" (Ctrl+P): `auto dialog = ui::MakePrintPreview(protocol, this); dialog->exec();` -
//   the preview's print button opens the system's print dialog.
// - "PDF…": a dialog of `ui::CreateSaveDialog(this)` with the filter "PDF (*.pdf)" and
//   `selectFile(ui::DefaultPdfName(LabeledEdit2->text()))`, run by `ui::RunFileDialog`; then
//   `ui::WritePdf(path, protocol)`, and on failure `ui::ShowMessage(this, ui::MessageKind::Error,
//   QString::fromStdString(outcome.Error().Reason))`.
#pragma once

#include <memory>
#include <string_view>

#include <QString>

#include "engine/result.h"

class QPagedPaintDevice;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace ui {

// The number of pages printed, or a message for the user (UTF-8) saying why printing failed.
using PrintOutcome = engine::Result<int>;

// A4 portrait, 20 mm on the left for binding, 10 mm on the right, 15 mm at top and bottom.
void SetProtocolPageLayout(QPagedPaintDevice &device);

// Lays the protocol (Windows-1251 bytes) out on the device's pages as the printer is set up
// (paper and margins as the user chose them) and paints it. The tables' font shrinks until
// the widest table line fits the page width, so no line is wrapped or cut; a line too wide even
// at 4 points wraps rather than running past the margin.
PrintOutcome PaintProtocol(QPagedPaintDevice &device, std::string_view protocol);
PrintOutcome PrintProtocol(QPrinter &printer, std::string_view protocol);

// Writes the protocol as a PDF on A4. The file is replaced only when the whole PDF was written:
// a failure leaves what was there and names the file and the reason.
PrintOutcome WritePdf(const QString &path, std::string_view protocol);

// The output file's path with its extension replaced by ".pdf" ("140208_res.htm" ->
// "140208_res.pdf"); a name without an extension gets ".pdf" appended; empty stays empty.
QString DefaultPdfName(const QString &outputPath);

// The print preview on an A4 printer, drawing the protocol; its print button opens the system's
// print dialog. The dialog keeps its own copy of the protocol.
std::unique_ptr<QPrintPreviewDialog> MakePrintPreview(std::string_view protocol, QWidget *parent);

} // namespace ui
