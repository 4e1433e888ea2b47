#include "merge/window/frmunite.h"

#include "doclist/documentlist.h"
#include "merge/mergerun.h"
#include "merge/window/mergecompletion.h"
#include "merge/window/mergewindowsettings.h"
#include "shell/appinfo.h"
#include "shell/dialogs.h"
#include "shell/filefilter.h"
#include "shell/frmabout.h"
#include "ui_frmunite.h"

namespace pw {

namespace {

constexpr int OwnFunction = 1;  // CmbFunc position of this window
const QString TargetFilter = QStringLiteral("合并到新文档(*.doc;*.docx)|*.doc;*.docx");

}  // namespace

frmUnite::frmUnite(word::ApplicationFactory& office, QWidget* parent)
    : WorkingWindow(parent), ui(std::make_unique<Ui::frmUnite>()), m_office(office) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    m_list = new DocumentList(ui->LstFiles, ui->CmdFile, DocumentListKind::Merge);
    setUpOperations(*ui->CmdOp, {ui->CmbFunc, ui->FrameTop, ui->Frame1, ui->CmdOp},
                    merge::progressLine, merge::StoppingLine);
    connect(ui->CmbFunc, &QComboBox::activated, this, &frmUnite::onCmbFunc);
    connect(ui->CmdUnitedFile, &QPushButton::clicked, this, &frmUnite::runTargetDialog);
    connect(ui->CmdOp, &QPushButton::clicked, this, &frmUnite::onCmdOp);
    connect(ui->CmdAbout, &QPushButton::clicked, this, [this] { frmAbout::Show(this); });
    load();
}

frmUnite::~frmUnite() = default;

void frmUnite::load() {
    setWindowTitle(AppTitle + QStringLiteral(" - Word文档合并"));
    ui->CmbFunc->setCurrentIndex(OwnFunction);
    ui->ChkPageBreak->setChecked(readMergeWindowSettings(SettingsStore()).chkPageBreak);
}

void frmUnite::save() const {
    SettingsStore store;
    saveMergeWindowSettings(store, {.chkPageBreak = ui->ChkPageBreak->isChecked()});
}

void frmUnite::onCmbFunc(int index) {
    if (index != OwnFunction) emit splitWindowRequested();
}

void frmUnite::resetFunction() {
    ui->CmbFunc->setCurrentIndex(OwnFunction);
}

merge::MergeRequest frmUnite::request() const {
    merge::MergeRequest r;
    r.documents = m_list->entries();
    r.targetText = ui->txtUnitedFile->text();
    r.pageBreaks = ui->ChkPageBreak->isChecked();
    return r;
}

void frmUnite::runTargetDialog() {
    // A cancelled dialog empties the box, as the dialog's own file name is then empty.
    ui->txtUnitedFile->setText(
        dialogs().saveFile(this, QString(), toQtFileFilter(TargetFilter), QStringLiteral("docx")));
}

void frmUnite::onCmdOp() {
    auto result = std::make_shared<merge::MergeResult>();
    runOperation(
        [request = request(), result, &office = m_office](UserPrompts& prompts) {
            *result = merge::runMerge(request, prompts, office);
        },
        [this, result](std::optional<BackgroundRun::Message> last) {
            if (!result->placedTarget.isEmpty()) ui->txtUnitedFile->setText(result->placedTarget);
            using Outcome = merge::MergeResult::Outcome;
            // The controls come back after the completion message.
            if (result->outcome == Outcome::Completed || result->outcome == Outcome::Cancelled)
                dialogs().completion(this, merge::completion(*result));
            else if (last)
                dialogs().message(this, last->text, last->icon);
            giveControlsBack();
            if (result->refusal && result->refusal->browse) runTargetDialog();
        });
}

}  // namespace pw
