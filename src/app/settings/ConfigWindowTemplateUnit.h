// The settings dialog template every rule's settings dialog is built on.
#pragma once

#include "app/AppTexts.h"
#include "app/WidgetText.h"
#include "framework/Vetrin.h"
#include "framework/VetrinList.h"
#include "presenters/SettingsForm.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

class QPushButton;

// Widget text back to engine text. When the text is exactly what EngineToWidget made of one of
// `shown`, that original is answered byte for byte, so that bytes the widget cannot show (they
// appear as U+FFFD) are not lost when the user did not touch them.
std::string WidgetToEngine(const QString& text, const TStringList& shown);
// The lines of a multi-line text box and back: one entry per line; a last empty line (the text
// ends in a line break) is no entry, so an empty box is an empty list.
QString LinesToWidget(const TStringList& lines);
TStringList WidgetToLines(const QString& text, const TStringList& shown = {});

// A modal dialog that edits a private copy (WorkingChecker) of a rule's settings and copies it
// back to the edited rule (TargetChecker) only on OK, by the settings form's protocol
// (presenters/SettingsForm.h). Each derived dialog creates WorkingChecker as a fresh instance of
// its rule class and fills in SettingsToControls and ControlsToSettings.
class TConfigWindowTemplete : public QDialog {
    Q_OBJECT
public:
    explicit TConfigWindowTemplete(QWidget* owner);
    ~TConfigWindowTemplete() override;

    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Undo = nullptr;
    TVetrin* TargetChecker = nullptr;        // not owned
    std::unique_ptr<TVetrin> WorkingChecker; // owned

    // Edits checker's settings: loads the controls from a copy of them and shows the dialog
    // modally; returns when it closes.
    void EditSettings(TVetrin& checker);
    // The part of EditSettings before the dialog is shown (also for tests that drive the dialog
    // without a modal loop).
    void BeginEdit(TVetrin& checker);

    // OK: stores the controls into the working copy, copies it to the edited rule and closes
    // the dialog with Accepted. A derived dialog may check its controls first.
    virtual void OkClick();
    // Undo: reloads the controls from the edited rule; the dialog stays open.
    void UndoClick();

    virtual void SettingsToControls() = 0;
    virtual void ControlsToSettings() = 0;

    // How the dialogs show a message box (caption, text, one OK button). Tests replace it so that
    // no modal box ever waits for a click; an empty function restores the real box.
    using TMessageBoxFunc =
        std::function<void(QWidget* parent, const QString& caption, const QString& text)>;
    static void SetMessageBox(TMessageBoxFunc box);
    static void ShowMessage(QWidget* parent, const QString& caption, const QString& text);
    // A value the dialog refuses: the message in a box captioned ｴﾗｰ.
    static void ShowRefusal(QWidget* parent, const QString& text);

protected:
    // The form of the rule under edit (from BeginEdit on).
    std::optional<TSettingsForm> Form_;

    // Places a control at left, top, width, height of the client area. Labels, check boxes and
    // one-line controls grow to the height their font needs, keeping their top-left corner; a
    // label grows to the width of its text too, to the right, or with keepRight to the left (for
    // a label that leads into the control on its right).
    static void Place(QWidget* control, int left, int top, int width, int height,
                      bool keepRight = false);
    // Sets the tab order: the controls in the given order.
    static void SetTabOrders(std::initializer_list<QWidget*> controls);
};

// What a rule's ShowDetail(owner) does: a dialog of the rule's own kind, owned by owner, titled
// with the rule's name, edits the rule and is freed when EditSettings returns or throws.
template <class TDialog> void ShowSettingDialog(TVetrin& checker, void* owner) {
    auto dialog = std::make_unique<TDialog>(static_cast<QWidget*>(owner));
    dialog->setWindowTitle(EngineToWidget(checker.DisplayName()));
    dialog->EditSettings(checker);
}
