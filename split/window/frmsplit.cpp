#include "split/window/frmsplit.h"

#include "doclist/clsgetpath.h"
#include "doclist/documentlist.h"
#include "shell/appinfo.h"
#include "shell/dialogs.h"
#include "shell/frmabout.h"
#include "split/splitrun.h"
#include "split/window/digitfilter.h"
#include "split/window/labelclick.h"
#include "split/window/splitcompletion.h"
#include "split/window/splitwindowsettings.h"
#include "ui_frmsplit.h"

namespace pw {

namespace {

const QString MaskLabelTemplate = QStringLiteral("位格式化数字序号，如：0001.doc");
constexpr int OwnFunction = 0;  // CmbFunc position of this window

// The example of naming rule 4: the number 1 written with n digits.
QString maskLabelText(int digits) {
    QString text = MaskLabelTemplate;
    return text.replace(QStringLiteral("000"), QString(qMax(0, digits - 1), u'0'));
}

// Turns the option on as a click would; an index the group does not have changes nothing.
void turnOn(QButtonGroup* group, int index) {
    if (QAbstractButton* button = group->button(index)) button->setChecked(true);
}

void numberButtons(QButtonGroup* group, std::initializer_list<QAbstractButton*> buttons) {
    int id = 0;
    for (QAbstractButton* button : buttons) group->setId(button, id++);
}

}  // namespace

frmSplit::frmSplit(word::ApplicationFactory& office, QWidget* parent)
    : WorkingWindow(parent), ui(std::make_unique<Ui::frmSplit>()), m_office(office) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    wireOptions();
    setUpOperations(*ui->CmdOp, {ui->CmbFunc, ui->FrameTop, ui->Frame1, ui->CmdOp},
                    split::progressLine, split::StoppingLine);
    load();
}

frmSplit::~frmSplit() = default;

void frmSplit::wireOptions() {
    numberButtons(ui->OptSplit, {ui->OptSplit0, ui->OptSplit1});
    numberButtons(ui->OptNewDocName, {ui->OptNewDocName0, ui->OptNewDocName1, ui->OptNewDocName2,
                                      ui->OptNewDocName3, ui->OptNewDocName4});
    numberButtons(ui->OptOutDir, {ui->OptOutDir0, ui->OptOutDir1});
    m_list = new DocumentList(ui->LstFiles, ui->CmdFile, DocumentListKind::Split);

    connect(ui->OptSplit, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) onOptSplit(id);
    });
    connect(ui->OptOutDir, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) onOptOutDir(id);
    });
    connect(ui->CmbNewNameMaskLength, &QComboBox::activated, this, &frmSplit::onMaskLengthChosen);
    connect(ui->CmbNewNameMaskLength, &QComboBox::currentIndexChanged, this,
            &frmSplit::onMaskLengthChosen);
    connect(ui->CmbFunc, &QComboBox::activated, this, &frmSplit::onCmbFunc);

    connect(new split::LabelClick(ui->Label2), &split::LabelClick::clicked, ui->OptSplit1,
            [this] { ui->OptSplit1->setChecked(true); });
    connect(new split::LabelClick(ui->lblNewNameMaskLength), &split::LabelClick::clicked,
            ui->OptNewDocName4, [this] { ui->OptNewDocName4->setChecked(true); });

    new split::DigitFilter(ui->txtPages);
    new split::DigitFilter(ui->txtNewDocs);
    // Typing into the box chooses the naming rule that uses it, even a key the box refuses.
    connect(new split::DigitFilter(ui->txtFirstWords), &split::DigitFilter::characterTyped,
            ui->OptNewDocName2, [this] { ui->OptNewDocName2->setChecked(true); });

    connect(ui->CmdOutDir, &QPushButton::clicked, this, &frmSplit::browseOutDir);
    connect(ui->CmdOp, &QPushButton::clicked, this, &frmSplit::onCmdOp);
    connect(ui->CmdAbout, &QPushButton::clicked, this, [this] { frmAbout::Show(this); });
}

void frmSplit::load() {
    setWindowTitle(AppTitle + QStringLiteral(" - Word文档拆分"));
    ui->CmbFunc->setCurrentIndex(OwnFunction);
    const SettingsStore store;
    loadSplitWindowSettings(
        store, {
                   .optSplit = [this](int i) { turnOn(ui->OptSplit, i); },
                   .txtPages = [this](const QString& t) { ui->txtPages->setText(t); },
                   .txtNewDocs = [this](const QString& t) { ui->txtNewDocs->setText(t); },
                   .cmbMaskLength =
                       [this](int position) {
                           ui->CmbNewNameMaskLength->setCurrentIndex(position);
                           onMaskLengthChosen();  // also when the position did not change
                       },
                   .optNewDocName = [this](int i) { turnOn(ui->OptNewDocName, i); },
                   .optOutDir = [this](int i) { turnOn(ui->OptOutDir, i); },
               });
}

void frmSplit::save() const {
    SettingsStore store;
    saveSplitWindowSettings(store, {
                                       .optSplit = ui->OptSplit0->isChecked() ? 0 : 1,
                                       .txtPages = ui->txtPages->text(),
                                       .txtNewDocs = ui->txtNewDocs->text(),
                                       .cmbMaskLength = ui->CmbNewNameMaskLength->currentIndex(),
                                       .optNewDocName = qMax(0, ui->OptNewDocName->checkedId()),
                                       .optOutDir = ui->OptOutDir0->isChecked() ? 0 : 1,
                                   });
}

void frmSplit::onOptSplit(int index) {
    ui->txtPages->setEnabled(index == 0);
    ui->txtNewDocs->setEnabled(index == 1);
}

void frmSplit::onOptOutDir(int index) {
    ui->txtOutDir->setEnabled(index == 1);
    ui->CmdOutDir->setEnabled(index == 1);
}

void frmSplit::onMaskLengthChosen() {
    ui->OptNewDocName4->setChecked(true);
    ui->lblNewNameMaskLength->setText(
        maskLabelText(ui->CmbNewNameMaskLength->currentText().toInt()));
}

void frmSplit::onCmbFunc(int index) {
    if (index != OwnFunction) emit mergeWindowRequested();
}

void frmSplit::resetFunction() {
    ui->CmbFunc->setCurrentIndex(OwnFunction);
}

split::SplitRequest frmSplit::request() const {
    using namespace split;
    SplitRequest r;
    r.documents = m_list->entries();
    r.mode = ui->OptSplit1->isChecked() ? SplitMode::IntoNDocuments : SplitMode::EveryNPages;
    r.pagesText = ui->txtPages->text();
    r.newDocsText = ui->txtNewDocs->text();
    r.naming = NamingMode(qMax(0, ui->OptNewDocName->checkedId()));
    r.firstWordsText = ui->txtFirstWords->text();
    r.maskLengthText = ui->CmbNewNameMaskLength->currentText();
    r.output = ui->OptOutDir1->isChecked() ? OutputRule::ChosenFolder : OutputRule::BesideSource;
    r.outDirText = ui->txtOutDir->text();
    return r;
}

void frmSplit::applyRefusal(const split::SplitRefusal& refusal) {
    if (refusal.browse) {
        browseOutDir();
        return;
    }
    QLineEdit* box = nullptr;
    switch (refusal.field) {
        case split::SplitField::Pages:
            box = ui->txtPages;
            break;
        case split::SplitField::NewDocs:
            box = ui->txtNewDocs;
            break;
        case split::SplitField::FirstWords:
            box = ui->txtFirstWords;
            break;
        case split::SplitField::OutDir:
            box = ui->txtOutDir;
            break;
        case split::SplitField::None:
            return;
    }
    box->setFocus(Qt::OtherFocusReason);
    if (refusal.selectAll) box->selectAll();
}

void frmSplit::browseOutDir() {
    ui->txtOutDir->setText(BrowseForFolder(this, ui->txtOutDir->text()));
}

void frmSplit::onCmdOp() {
    auto result = std::make_shared<split::SplitResult>();
    runOperation(
        [request = request(), result, &office = m_office](UserPrompts& prompts) {
            *result = split::runSplit(request, prompts, office);
        },
        [this, result](std::optional<BackgroundRun::Message> last) {
            if (!result->outDirText.isEmpty()) ui->txtOutDir->setText(result->outDirText);
            // The window is usable again before the completion message.
            giveControlsBack();
            using Outcome = split::SplitResult::Outcome;
            if (result->outcome == Outcome::Completed || result->outcome == Outcome::Cancelled)
                dialogs().completion(this, split::completion(*result));
            else if (last)
                dialogs().message(this, last->text, last->icon);
            if (result->refusal) applyRefusal(*result->refusal);
        });
}

}  // namespace pw
