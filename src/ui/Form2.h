#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;

namespace sonorelle {

class ccXPButton;
class LanguageTexts;
class SetupChoices;

// The Setup dialog: the interface language, the CD unit used for ripping and, when the
// game is installed in several prefixes, the one to work on. The choices are stored at
// once; Close hands back to the main window, which
// runs start-up again.
class Form2 : public QDialog {
    Q_OBJECT

public:
    Form2(SetupChoices& setup, const LanguageTexts& texts, QWidget* parent = nullptr);

    // Fills the lists from the choices (loading them first when start-up has not).
    // False when there is no language file; the program is then closing.
    bool load();

    void applyCaptions(const LanguageTexts& texts);

signals:
    // Close, by the button, the window's title bar or Escape.
    void closed();

private:
    void showLanguageFacts();

    SetupChoices& setup_;
    QGroupBox* Frame2_;
    QComboBox* cmbLang_;
    QGroupBox* Frame1_;
    QComboBox* cmbCD_;
    QGroupBox* FrameGame_;
    QComboBox* cmbGame_;
    QLabel* label1_;
    QLabel* Label2_;
    QLabel* Label3_;
    QLabel* Label4_;
    QLabel* Label5_;
    QLabel* Label6_;
    QLabel* Label7_;
    QLabel* Label15_;
    ccXPButton* Command1_;
};

}  // namespace sonorelle
