#include "app/settings/ConfigWindowTemplateUnit.h"

#include "app/AppTexts.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

TConfigWindowTemplete::TMessageBoxFunc& MessageBoxFunc() {
    static TConfigWindowTemplete::TMessageBoxFunc box;
    return box;
}

} // namespace

// ---- Text at the widget edge ----

std::string WidgetToEngine(const QString& text, const TStringList& shown) {
    for (const std::string& original : shown)
        if (EngineToWidget(original) == text) return original;
    return WidgetToEngine(text);
}

QString LinesToWidget(const TStringList& lines) {
    QStringList texts;
    for (const std::string& line : lines)
        texts << EngineToWidget(line);
    return texts.join(QLatin1Char('\n'));
}

TStringList WidgetToLines(const QString& text, const TStringList& shown) {
    TStringList lines;
    if (text.isEmpty()) return lines;
    QStringList texts = text.split(QLatin1Char('\n'));
    if (texts.last().isEmpty()) texts.removeLast();
    for (const QString& line : texts)
        lines.push_back(WidgetToEngine(line, shown));
    return lines;
}

// ---- TConfigWindowTemplete ----

TConfigWindowTemplete::TConfigWindowTemplete(QWidget* owner) : QDialog(owner) {
    // The template's own name until a rule's dialog is titled with its rule's name.
    setObjectName(QStringLiteral("ConfigWindowTemplete"));
    setWindowTitle(objectName());
    setModal(true);
    setFont(AppFont()); // the windows' font: ＭＳ Ｐゴシック 12 px or the system's Japanese font
    setFixedSize(396, 216);

    Undo = new QPushButton(Ui(uitext::Undo), this);
    Undo->setObjectName("Undo");
    Place(Undo, 128, 188, 77, 25);
    Ok = new QPushButton(Ui(uitext::Ok), this);
    Ok->setObjectName("Ok");
    Place(Ok, 228, 188, 77, 25);
    Ok->setDefault(true);
    Cancel = new QPushButton(Ui(uitext::Cancel), this);
    Cancel->setObjectName("Cancel");
    Place(Cancel, 316, 188, 77, 25);
    SetTabOrders({Ok, Cancel, Undo});

    // OkClick is virtual, so a derived dialog's own OK handling runs in its place.
    connect(Ok, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(Undo, &QPushButton::clicked, this, [this] { UndoClick(); });
    // Cancel, Escape and the close box all reject the dialog; nothing is stored.
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TConfigWindowTemplete::~TConfigWindowTemplete() = default;

void TConfigWindowTemplete::BeginEdit(TVetrin& checker) {
    TargetChecker = &checker;
    Form_.emplace(checker, *WorkingChecker);
    SettingsToControls();
    Ok->setFocus();
}

void TConfigWindowTemplete::EditSettings(TVetrin& checker) {
    BeginEdit(checker);
    exec();
}

void TConfigWindowTemplete::OkClick() {
    ControlsToSettings();
    Form_->Ok();
    accept();
}

void TConfigWindowTemplete::UndoClick() {
    Form_->Undo();
    SettingsToControls();
}

void TConfigWindowTemplete::SetMessageBox(TMessageBoxFunc box) {
    MessageBoxFunc() = std::move(box);
}

void TConfigWindowTemplete::ShowRefusal(QWidget* parent, const QString& text) {
    ShowMessage(parent, Ui(uitext::ErrorCaption), text);
}

void TConfigWindowTemplete::ShowMessage(QWidget* parent, const QString& caption,
                                        const QString& text) {
    if (MessageBoxFunc()) {
        MessageBoxFunc()(parent, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void TConfigWindowTemplete::Place(QWidget* control, int left, int top, int width, int height,
                                  bool keepRight) {
    // Labels size themselves to their text.
    if (qobject_cast<QLabel*>(control) && control->sizeHint().width() > width) {
        const int grown = control->sizeHint().width();
        if (keepRight) left = std::max(0, left + width - grown);
        width = grown;
    }
    if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
        qobject_cast<QComboBox*>(control) || qobject_cast<QLineEdit*>(control))
        height = std::max(height, control->sizeHint().height());
    control->setGeometry(left, top, width, height);
}

void TConfigWindowTemplete::SetTabOrders(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
