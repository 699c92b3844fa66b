// TForm1: the main window that leads the secretary through the five steps of correcting a
// results protocol, and owns the protocol, its groups and the points tables meanwhile.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDate>
#include <QWidget>

#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "points/competition_settings.h"
#include "points/app_settings.h"
#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"
#include "points/settings_update.h"
#include "ui/dialogs.h"
#include "ui/output_freshness.h"
#include "ui/workflow_steps.h"

class QCheckBox;
class QDialog;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolButton;
class TForm_Controler;

namespace ui {
class GroupListEditors;
class OutputView;
class PointsGridView;
class PointsTableModel;
class ProtocolPreview;
class QualificationListTab;
class RecentFilesButton;
} // namespace ui

// The controls are reached by their object names ("Button1", "cbMaxKval", ...).
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(
        std::filesystem::path settingsPath = points::SettingsFilePath(), QWidget *parent = nullptr);
    ~TForm1() override;

    // The dialog that answers the rewrite's request for the inspector's name.
    void SetInspectorDialog(TForm_Controler *dialog) { m_inspectorDialog = dialog; }
    // Reads a protocol as if it had been chosen with "1. Агляд..." (command line, dropped file).
    void OpenProtocol(const QString &path);

    // "yymmdd_res.htm": the output file name proposed on `day`.
    static QString DefaultOutputName(const QDate &day);

    engine::ProcessOptions ReadOptions() const;
    const engine::ProtocolLines &ProtocolLines() const { return m_protocolLines; }
    const std::vector<engine::GroupSettings> &Groups() const { return m_groups; }
    const points::PointsTables &PointsTables() const;
    // The bytes that "5. Захаваць" would write for the output view as it is now.
    std::vector<engine::ProtocolLine> OutputToSave() const;
    // What changed since the results shown were made (ui::OutputChange flags); NoChange also
    // when there are no results.
    unsigned OutputChangesNow() const;

    // Event handlers, by control and event.
    void FormCreate();
    bool FormClose(); // false keeps the window open
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void Button4Click();
    void Button5Click();
    void CheckBox1Click();
    void checkUseVKClick();
    void StringGrid2SelectCell(int col, int row);
    void cbMaxKvalExit();
    void ComboBox4Exit();
    void ComboBox3Exit();
    void ebMastersCountExit();
    bool ebMastersCountKeyDown(int key); // true when the key was used
    void StringGrid1SetEditText(int col, int row, const QString &text);
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1Exit();
    void CollectorEmailExit();
    void StringGrid1ClearCells(const std::vector<points::CellPosition> &cells); // Delete
    void PrintButtonClick(); // "Друк…": the print preview, whose print button prints
    void PdfButtonClick();
    void AboutButtonClick();
    void SaveShortcut(); // Ctrl+S: "5. Захаваць", asking for the file first when none is named
    void RecentFileChosen(const QString &path); // read as "1. Агляд..." does, unless it is gone
    // "Мова": kept in the settings file; `code` "be", "ru", "en", or empty to follow the
    // system's languages. A language other than the window's asks to make the window anew.
    void LanguageChosen(const QString &code);
    // The window closed to be made anew in the language chosen, on ProtocolPath(), with the
    // output file named as OutputName() named it.
    bool RestartRequested() const { return m_restartRequested; }
    QString ProtocolPath() const;
    QString OutputName() const;
    void SetOutputName(const QString &name);

    // Message boxes and file dialogs; replaceable so that they can be answered without a user.
    std::function<void(const QString &)> ShowInformation;
    std::function<void(const QString &)> ShowError;
    std::function<bool(const QString &)> Confirm; // "Так" -> true
    // The question, and the text of its "save" button.
    std::function<ui::CloseAnswer(const QString &, const QString &)> AskClose;
    // Saving results out of date: recalculate first, save them as shown, or go back.
    std::function<ui::OutOfDateAnswer(const QString &)> AskOutOfDate;
    std::function<QString()> ChooseOpenFile; // empty when cancelled
    std::function<QString()> ChooseSaveFile; // empty when cancelled
    std::function<QString()> ChooseSettingsFile; // for the tables elsewhere; empty: cancelled
    std::function<QString()> ChoosePdfFile; // empty when cancelled
    std::function<void(QDialog &)> RunDialog; // the print preview and the About box

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CreateControls();
    void LayOutControls();
    void ConnectHandlers();

    void LoadPointsTablesFile();
    bool SaveTablesElsewhere(); // true when written
    // The points tables at close, once the user said to save them; true when written.
    bool SaveTablesAtClose(bool unreadable);
    // The settings file patched as it is on disk now; false, after saying why, when it could not
    // be written (then it is as it was).
    bool UpdateSettings(const points::SettingsPatch &patch);
    void FillTableCaptions();
    // Whether the tables the groups use hold only points values; if not, says which cell does
    // not and makes it the grid's current cell.
    bool PointsValuesWritable();
    // Whether both "К=" texts are numbers, when rating points are on; if not, says which is not
    // and what is expected, and gives it the focus.
    bool FactorsAreNumbers();
    // A protocol read whole goes to the front of the recent files.
    void RememberProtocol(const QString &path);
    // What a read tells of the groups' tables: none found, relays, unmapped tables, handicaps.
    static QString TableNotes(const std::vector<engine::GroupSettings> &groups);
    // The recent files changed by `change` and written to the settings file when it can be.
    void UpdateRecentFiles(
        const std::function<std::vector<std::string>(std::vector<std::string>)> &change);
    void ReadProtocol();
    // The groups of a new reading take the settings of the same groups given before: those kept
    // for this competition when it is not the one read last, else those in the window. Returns
    // the note that says what happened, empty when nothing did.
    QString TakeGroupSettings(std::vector<engine::GroupSettings> groups);
    // What the secretary gave for the competition read, and giving it back.
    points::CompetitionSettings CurrentCompetition() const;
    void RestoreOptions(const points::CompetitionSettings &competition);
    // Keeps it in the settings file (on recalculating, saving, reading another, closing).
    void StoreCompetition();
    // `step` went through: the next step's button gets the focus and the only bold caption.
    void StepDone(ui::Step step);
    // `focus`: the next step's button also gets the focus (not when a change elsewhere, typed
    // into an edit, only made the results out of date).
    void ShowNextStep(bool focus = true);
    // A protocol read, a group setting, a points table or an option changed: the results shown
    // may be out of date now, and the view and the bold step say so.
    void InputsChanged();
    QString DescribeChanges(unsigned changes) const;
    bool HasResults() const;
    // "3. Пералічыць": true when the view now shows results made from what is set. Text edited
    // by hand in the view is replaced only after asking, unless `editsAsked` says the caller
    // has asked.
    bool Recalculate(bool editsAsked = false);
    // "5. Захаваць"; at close (`closing`) a missing name is asked for and results out of date
    // are recalculated without asking unless that would drop hand edits. True when written.
    bool SaveResults(bool closing);
    // What closing would lose, for the question at close; empty when nothing.
    QStringList UnsavedWork() const;
    std::optional<std::string> AskInspector();
    void ShowOutput(bool filled);
    void FocusChanged(QWidget *old, QWidget *now);
    void CreateShortcuts();
    void CreateLanguageMenu();
    // The menu's item checked for the choice the settings file keeps.
    void ShowLanguageChoice();
    // The size, the border above the output and the output tab, as the last run left them.
    points::WindowLayout CurrentLayout() const;
    void RestoreLayout(const points::WindowLayout &layout);
    // Into the settings file when it differs from what the window showed at first.
    void SaveLayout();
    // The preview follows the text view only while it is shown: a refresh is too slow for
    // every key press.
    void RefreshPreview();

    std::filesystem::path m_settingsPath;
    std::string m_settingsBytes; // the settings file as read, so that saving keeps the rest
    QString m_settingsWarning; // shown once the window appears
    points::SettingsOverwrite m_settingsOverwrite; // may closing write over the file
    // Newest first, UTF-8; ahead of the file's list when writing it failed.
    std::vector<std::string> m_recentFiles;
    bool m_shown = false;
    bool m_restartRequested = false;
    points::WindowLayout m_shownLayout; // as the window first appeared
    ui::Step m_lastStep = ui::Step::None;

    engine::ProtocolLines m_protocolLines;
    std::uint64_t m_reads = 0; // reads of a protocol so far, to tell one read from the next
    // What the results shown were made from; nothing when the view shows no results.
    std::optional<ui::OutputInputs> m_made;
    bool m_resultsUnsaved = false; // recalculated or edited since the last save
    // The groups as the last save of results (or the last read) left them, to tell at close
    // whether settings given since would be lost.
    std::vector<engine::GroupSettings> m_groupsSaved;
    QString m_readPath; // the path the lines were read from
    // What names the competition read (canonical path, UTF-8 title); empty path: none read.
    std::string m_competitionPath;
    std::string m_competitionTitle;
    bool m_competitionStoreFailed = false; // said once; later failures are not repeated
    std::vector<engine::GroupSettings> m_groups;
    TForm_Controler *m_inspectorDialog = nullptr;
    bool m_compacting = false;

    QLabel *LabeledEdit1Label;
    QLineEdit *LabeledEdit1;
    QPushButton *Button2;
    ui::RecentFilesButton *RecentButton;
    QPushButton *Button3;
    QLabel *Label2;
    QTableView *StringGrid2;
    QLabel *Label3;
    ui::PointsGridView *StringGrid1;
    ui::PointsTableModel *m_pointsModel; // owns the points tables
    QCheckBox *checkUseVK;
    QCheckBox *CheckBox1;
    QLabel *LabeledEdit3Label;
    QLineEdit *LabeledEdit3;
    QLabel *LabeledEdit4Label;
    QLineEdit *LabeledEdit4;
    QPushButton *Button1;
    QCheckBox *CheckBox2;
    ui::OutputView *Memo2;
    QSplitter *OutputSplitter; // the settings above, the output below
    QTabWidget *OutputTabs;
    QLabel *OutputStateLabel; // over the tabs: says when the results are out of date
    ui::ProtocolPreview *Preview;
    ui::QualificationListTab *ListTab;
    QLabel *LabeledEdit2Label;
    QLineEdit *LabeledEdit2;
    QPushButton *Button4;
    QPushButton *Button5;
    QLabel *CollectorEmailLabel;
    QLineEdit *CollectorEmail;
    QToolButton *PrintButton;
    QToolButton *PdfButton;
    QToolButton *AboutButton;
    QPushButton *LanguageButton;
    QFileDialog *OpenDialog1;
    QFileDialog *SaveDialog1;
    QFileDialog *PdfDialog1;
    // Declared after the groups it edits, so that it goes first.
    std::unique_ptr<ui::GroupListEditors> m_groupEditors;
};
