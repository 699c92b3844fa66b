// Failures of the disk under the window: saving on a full disk or into a read-only folder, and a
// protocol that goes away or changes between choosing it and reading it again. The window says
// what went wrong, keeps every earlier file as it was, and goes on.
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "engine/save.h"
#include "ui/messages.h"
#include "tests/support/small_disk.h"
#include "ui/Unit1.h"
#include "ui/points_grid_view.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::W;
using testsupport::SmallDisk;

namespace {

const std::string Earlier = "earlier file\r\n";

std::filesystem::path SampleProtocol() { return test::ExamplesDir() / "sample_protocol.htm"; }

void Break(SmallDisk &disk, bool readOnly)
{
    if (readOnly)
        QVERIFY(disk.MakeReadOnly());
    else
        disk.Fill();
}

} // namespace

class DiskFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void ProtocolSaveFails_data();
    void ProtocolSaveFails();
    void ProtocolSaveTargets_data();
    void ProtocolSaveTargets();
    void SettingsSaveFails_data();
    void SettingsSaveFails();
    void ProtocolGoneOrChangedBeforeReread();
    void FolderInsteadOfProtocol();
};

void DiskFaultsTest::ProtocolSaveFails_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("full disk") << false;
    QTest::newRow("read-only folder") << true;
}

void DiskFaultsTest::ProtocolSaveFails()
{
    QFETCH(bool, readOnly);
    SmallDisk disk(64);
    if (!disk.Mounted())
        QSKIP(disk.WhyNot().c_str());
    const std::filesystem::path path = disk.Path() / "out.htm";
    SmallDisk::WriteFile(path, Earlier);

    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(test::PathText(SampleProtocol()));
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QVERIFY(form.OutputToSave().size() > 50);
    Break(disk, readOnly);
    W(form).LabeledEdit2->setText(test::PathText(path));
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);

    // The error names the file and the system's reason.
    QVERIFY(window.Informations.isEmpty());
    QCOMPARE(window.Errors.size(), 1);
    QVERIFY(window.Errors[0].startsWith(ui::text::SaveFailed() + "\n" + test::PathText(path) + ": "));
    QVERIFY(window.Errors[0].size() > (ui::text::SaveFailed() + test::PathText(path)).size() + 4);
    QCOMPARE(SmallDisk::ReadFile(path), Earlier);
    QVERIFY(!W(form).Button3->font().bold()); // saving did not pass its step
    QVERIFY(form.OutputToSave().size() > 50); // the output is still there to save elsewhere
}

void DiskFaultsTest::ProtocolSaveTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("refused");
    QTest::newRow("FIFO with no reader") << "fifo" << true;
    QTest::newRow("/dev/null") << "null" << false;
    QTest::newRow("read-only file") << "read-only" << true;
    QTest::newRow("symlink") << "link" << false;
    QTest::newRow("stale temporary file") << "stale" << false;
    QTest::newRow("file in a read-only folder") << "read-only folder" << false;
}

// Saving from the window goes through the same writer as the batch tool: one row per kind of
// target, each saved with "5. Захаваць".
void DiskFaultsTest::ProtocolSaveTargets()
{
    QFETCH(QString, kind);
    QFETCH(bool, refused);
    const bool root = ::geteuid() == 0;
    if (root && kind.startsWith("read-only"))
        QSKIP("root may write any file and folder: nothing would be refused or kept");
    test::Window window;
    const std::filesystem::path folder = window.TempPath("out");
    std::filesystem::create_directory(folder);
    std::filesystem::path target = folder / "out.htm";
    std::filesystem::path written = target; // where the bytes should land
    std::string stale;
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(target.c_str(), 0600), 0);
    } else if (kind == "null") {
        target = written = "/dev/null";
    } else if (kind == "read-only") {
        test::WriteBytes(target, Earlier);
        std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    } else if (kind == "link") {
        written = folder / "real.htm";
        test::WriteBytes(written, Earlier);
        std::filesystem::create_symlink("real.htm", target);
    } else if (kind == "stale") {
        // A save killed midway leaves its temporary file; its name starts as the writer's does.
        engine::AtomicFileWriter probe(target);
        QVERIFY(probe.Open().Ok());
        stale = probe.TemporaryPath().substr(0, probe.TemporaryPath().size() - 6) + "KILLED";
        test::WriteBytes(stale, std::string(1000, 't'));
        const timeval past[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
        QCOMPARE(::utimes(stale.c_str(), past), 0);
    } else if (kind == "read-only folder") {
        test::WriteBytes(target, Earlier);
        std::filesystem::permissions(
            folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(test::PathText(SampleProtocol()));
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    const std::string output = engine::ProtocolBytes(form.OutputToSave());
    W(form).LabeledEdit2->setText(test::PathText(target));
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);

    if (refused) {
        QCOMPARE(window.Errors.size(), 1);
        QVERIFY(window.Errors[0].startsWith(
            ui::text::SaveFailed() + "\n" + test::PathText(target) + ": "));
        QVERIFY(
            window.Errors[0].size() > (ui::text::SaveFailed() + test::PathText(target)).size() + 4);
        QVERIFY(window.Informations.isEmpty());
    } else {
        QCOMPARE(window.Errors, QStringList());
        QCOMPARE(window.Informations.size(), 1);
    }
    if (kind == "fifo")
        QVERIFY(std::filesystem::is_fifo(target));
    else if (kind == "null")
        QVERIFY(std::filesystem::is_character_file(target));
    else
        QCOMPARE(test::ReadBytes(written), refused ? Earlier : output);
    if (kind == "link")
        QVERIFY(std::filesystem::is_symlink(target));
    if (kind == "stale")
        QVERIFY(!std::filesystem::exists(stale));
    // Nothing of the writer's is left beside the target.
    if (kind != "null")
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            QVERIFY2(
                !entry.path().filename().string().starts_with(".lapwing-"), entry.path().c_str());
}

void DiskFaultsTest::SettingsSaveFails_data() { ProtocolSaveFails_data(); }

void DiskFaultsTest::SettingsSaveFails()
{
    QFETCH(bool, readOnly);
    SmallDisk disk(64);
    if (!disk.Mounted())
        QSKIP(disk.WhyNot().c_str());
    const std::string settings = "[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=25;\r\n";
    test::Window window(settings, (disk.Path() / "lapwing.INI").string());
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    test::ClickCell(W(form).StringGrid1, 0, 0);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(form.PointsTables().TablesModified);
    Break(disk, readOnly);

    QVERIFY(!form.close());
    // The system's reason follows the path.
    QCOMPARE(window.Errors,
        QStringList { "Unable to write to " + test::PathText(window.SettingsPath()) + ": "
            + (readOnly ? "Read-only file system" : "No space left on device") });
    QVERIFY(form.isVisible());
    QCOMPARE(SmallDisk::ReadFile(window.SettingsPath()), settings);
}

void DiskFaultsTest::ProtocolGoneOrChangedBeforeReread()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path path = window.TempPath("protocol.htm");
    const std::string protocol = test::ReadBytes(SampleProtocol());
    test::WriteBytes(path, protocol);
    window.OpenChoice = test::PathText(path);
    QTest::mouseClick(W(form).Button2, Qt::LeftButton);
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);

    std::filesystem::remove(path);
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QCOMPARE(window.Informations.size(), 1);
    QVERIFY(window.Informations[0].startsWith(ui::text::LoadFailed() + QLatin1Char('\n')));
    QVERIFY(W(form).Button1->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);

    // The file is back, with the second group renamed: reading again shows it.
    std::string changed = protocol;
    const std::string oldName = ui::ToCp1251(test::Utf8("Ж21,"));
    changed.replace(changed.find(oldName), oldName.size(), ui::ToCp1251(test::Utf8("Ж35,")));
    test::WriteBytes(path, changed);
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QCOMPARE(window.Informations.size(), 1);
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    QVERIFY(test::CellText(W(form).StringGrid2, 1, 0).startsWith(test::Utf8("Ж35")));
    QCOMPARE(form.Groups()[1].Name, ui::ToCp1251(test::Utf8("Ж35")));
}

void DiskFaultsTest::FolderInsteadOfProtocol()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    W(form).LabeledEdit1->setText(test::PathText(window.TempPath("")));
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QCOMPARE(window.Informations.size(), 1);
    QVERIFY(window.Informations[0].startsWith(ui::text::LoadFailed() + QLatin1Char('\n')));
    QVERIFY(form.ProtocolLines().empty());
    QVERIFY(W(form).Button1->font().bold());
}

QTEST_MAIN(DiskFaultsTest)
#include "tst_disk_faults.moc"
