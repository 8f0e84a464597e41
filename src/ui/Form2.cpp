#include "ui/Form2.h"

#include "app/SetupChoices.h"
#include "controls/ccXPButton.h"
#include "lang/LanguageTexts.h"
#include "ui/ApplyLanguage.h"
#include "ui/DrawnGroupBox.h"
#include "ui/LinkLabel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sonorelle {

namespace {

QLabel* NamedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

Form2::Form2(SetupChoices& setup, const LanguageTexts& texts, QWidget* parent)
    : QDialog(parent),
      setup_(setup),
      Frame2_(new DrawnGroupBox(this)),
      cmbLang_(new QComboBox(Frame2_)),
      Frame1_(new DrawnGroupBox(QStringLiteral("CD drive"), this)),
      cmbCD_(new QComboBox(Frame1_)),
      FrameGame_(new DrawnGroupBox(QStringLiteral("Game installation"), this)),
      cmbGame_(new QComboBox(FrameGame_)),
      label1_(NamedLabel("label1", Frame2_)),
      Label2_(NamedLabel("Label2", Frame2_)),
      Label3_(NamedLabel("Label3", Frame2_)),
      Label4_(NamedLabel("Label4", Frame2_)),
      Label5_(NamedLabel("Label5", Frame2_)),
      Label6_(NamedLabel("Label6", Frame2_)),
      Label7_(NamedLabel("Label7", Frame2_)),
      Label15_(NamedLabel("Label15", Frame2_)),
      Command1_(new ccXPButton(this))
{
    setObjectName(QStringLiteral("Form2"));
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    cmbLang_->setObjectName(QStringLiteral("cmbLang"));
    cmbCD_->setObjectName(QStringLiteral("cmbCD"));
    FrameGame_->setObjectName(QStringLiteral("FrameGame"));
    cmbGame_->setObjectName(QStringLiteral("cmbGame"));
    // Game folders are long paths: the list opens wide enough, the dialog stays narrow.
    cmbGame_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbGame_->setMinimumContentsLength(30);
    Command1_->setObjectName(QStringLiteral("Command1"));
    LinkLabel::makeLink(Label4_);
    LinkLabel::makeLink(Label6_);

    auto* facts = new QFormLayout;
    facts->addRow(label1_, Label2_);
    facts->addRow(Label5_, Label4_);
    facts->addRow(Label3_, Label6_);
    facts->addRow(Label7_, Label15_);
    auto* language = new QVBoxLayout(Frame2_);
    language->addWidget(cmbLang_);
    language->addLayout(facts);
    auto* drive = new QVBoxLayout(Frame1_);
    drive->addWidget(cmbCD_);
    auto* game = new QVBoxLayout(FrameGame_);
    game->addWidget(cmbGame_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2_);
    layout->addWidget(Frame1_);
    layout->addWidget(FrameGame_);
    layout->addWidget(Command1_, 0, Qt::AlignRight);
    setMinimumWidth(360);

    connect(cmbLang_, &QComboBox::activated, this, [this](int index) {
        setup_.chooseLanguage(index);
        showLanguageFacts();
    });
    connect(cmbCD_, &QComboBox::activated, this, [this](int index) { setup_.chooseDrive(index); });
    connect(cmbGame_, &QComboBox::activated, this, [this](int index) { setup_.chooseGame(index); });
    connect(Command1_, &ccXPButton::Click, this, &Form2::close);
    // The title bar and Escape count as Close: on a first run the main window is
    // hidden and would otherwise never come back.
    connect(this, &QDialog::finished, this, &Form2::closed);
    applyCaptions(texts);
}

bool Form2::load()
{
    if (!setup_.isLoaded() && !setup_.load())
        return false;
    const QSignalBlocker langBlocker(cmbLang_);
    const QSignalBlocker cdBlocker(cmbCD_);
    const QSignalBlocker gameBlocker(cmbGame_);
    cmbLang_->clear();
    for (const LanguageFileInfo& file : setup_.languages())
        cmbLang_->addItem(file.Language);
    cmbLang_->setCurrentIndex(setup_.languageIndex());
    cmbCD_->clear();
    cmbCD_->addItems(setup_.driveEntries());
    cmbCD_->setCurrentIndex(setup_.driveIndex());
    cmbGame_->clear();
    for (const QString& entry : setup_.gameEntries()) {
        cmbGame_->addItem(entry);
        cmbGame_->setItemData(cmbGame_->count() - 1, entry, Qt::ToolTipRole);
    }
    cmbGame_->setCurrentIndex(setup_.gameIndex());
    // With one installation or none there is nothing to choose.
    FrameGame_->setVisible(setup_.games().size() > 1);
    showLanguageFacts();
    return true;
}

void Form2::showLanguageFacts()
{
    const int index = setup_.languageIndex();
    if (index < 0)
        return;
    const LanguageFileInfo& file = setup_.languages()[index];
    Label2_->setText(file.Autor);
    LinkLabel::setLink(Label4_, file.email, QStringLiteral("mailto:") + file.email);
    LinkLabel::setLink(Label6_, file.www, file.www);
    Label15_->setText(file.version);
}

void Form2::applyCaptions(const LanguageTexts& texts)
{
    ApplyWindowCaptions(texts, LanguageWindow::Setup, *this);
}

}  // namespace sonorelle
