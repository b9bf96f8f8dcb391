#include "app/settings/VbFileNamingRuleSettingDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int LabelColumn = 0;
constexpr int PatternColumn = 1;
constexpr Qt::ItemFlags LabelFlags = Qt::ItemIsEnabled;
constexpr Qt::ItemFlags PatternFlags =
    Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
} // namespace

// ---- TNamingRuleGrid ----

TNamingRuleGrid::TNamingRuleGrid(QWidget* parent) : QTableWidget(parent) {
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
}

bool TNamingRuleGrid::NamingRuleGridSelectCell(int column, int /*row*/) {
    // The kind labels are fixed; only the patterns are edited.
    return column != LabelColumn;
}

QModelIndex TNamingRuleGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex from = currentIndex();
    const QModelIndex to = QTableWidget::moveCursor(action, modifiers);
    if (!to.isValid() || NamingRuleGridSelectCell(to.column(), to.row())) return to;
    // Moving backwards into column 0 goes on to the pattern of the row above; anything else
    // lands on the pattern of the row it reached.
    if (action == MovePrevious) {
        if (to.row() > 0) return model()->index(to.row() - 1, PatternColumn);
        return from;
    }
    if (action == MoveLeft) return from;
    return model()->index(to.row(), PatternColumn);
}

void TNamingRuleGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && !NamingRuleGridSelectCell(at.column(), at.row())) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void TNamingRuleGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && !NamingRuleGridSelectCell(at.column(), at.row())) {
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

void TNamingRuleGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (current.isValid() && !NamingRuleGridSelectCell(current.column(), current.row())) {
        // Whatever moved the current cell there, it moves on to the pattern of the same row.
        setCurrentIndex(model()->index(current.row(), PatternColumn));
        return;
    }
    QTableWidget::currentChanged(current, previous);
}

void TNamingRuleGrid::CommitEdit() {
    if (state() != EditingState) return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// ---- TVbFileNamingRuleSetting ----

TVbFileNamingRuleSetting::TVbFileNamingRuleSetting(QWidget* owner) : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    NamingRuleGrid = new TNamingRuleGrid(this);
    NamingRuleGrid->setObjectName("NamingRuleGrid");
    Place(NamingRuleGrid, 8, 24, 377, 153);
    Label1 = new QLabel(Ui(uitext::NamingRuleLabel), this);
    Label1->setObjectName("Label1");
    Label1->setBuddy(NamingRuleGrid);
    Place(Label1, 12, 8, 103, 12);
    SetTabOrders({Ok, Cancel, Undo, NamingRuleGrid});
    FormCreate();
}

TVbFileNamingRuleSetting::~TVbFileNamingRuleSetting() = default;

void TVbFileNamingRuleSetting::FormCreate() {
    // Two columns; the header row is the grid's fixed top row, and there is no fixed column.
    NamingRuleGrid->setColumnCount(2);
    NamingRuleGrid->setRowCount(1);
    NamingRuleGrid->setHorizontalHeaderLabels(
        {Ui(uitext::NamingKindHeader), Ui(uitext::NamingPatternHeader)});
    NamingRuleGrid->verticalHeader()->hide();
    NamingRuleGrid->verticalHeader()->setMinimumSectionSize(1);
    NamingRuleGrid->verticalHeader()->setDefaultSectionSize(
        std::max(15, NamingRuleGrid->fontMetrics().height() + 2));
    NamingRuleGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    NamingRuleGrid->horizontalHeader()->setStretchLastSection(false);
    NamingRuleGrid->horizontalHeader()->setHighlightSections(false);
    NamingRuleGrid->setColumnWidth(LabelColumn, 177);
    NamingRuleGrid->setColumnWidth(PatternColumn, 187);
    NamingRuleGrid->setCurrentCell(0, PatternColumn);
}

void TVbFileNamingRuleSetting::FitGridToRows() {
    // Every row and both columns are to be seen without scrolling: where the font makes them
    // larger than the grid, the grid grows, and the dialog with it (its buttons move along).
    const int frame = 2 * NamingRuleGrid->frameWidth();
    const int height = NamingRuleGrid->horizontalHeader()->sizeHint().height() +
                       NamingRuleGrid->verticalHeader()->length() + frame;
    const int width = NamingRuleGrid->horizontalHeader()->length() + frame;
    const int growDown = std::max(0, height - NamingRuleGrid->height());
    const int growRight = std::max(0, width - NamingRuleGrid->width());
    if (growDown == 0 && growRight == 0) return;
    NamingRuleGrid->resize(NamingRuleGrid->width() + growRight,
                           NamingRuleGrid->height() + growDown);
    for (QWidget* button :
         {static_cast<QWidget*>(Ok), static_cast<QWidget*>(Cancel), static_cast<QWidget*>(Undo)})
        button->move(button->x() + growRight, button->y() + growDown);
    setFixedSize(this->width() + growRight, this->height() + growDown);
}

void TVbFileNamingRuleSetting::SettingsToControls() {
    const TStringPairList& rules = Working().NamingRules;
    NamingRuleGrid->setRowCount(rules.Count());
    for (int i = 0; i < rules.Count(); ++i) {
        auto* label =
            new QTableWidgetItem(EngineToWidget(rules.Names[static_cast<std::size_t>(i)]));
        label->setFlags(LabelFlags);
        NamingRuleGrid->setItem(i, LabelColumn, label);
        auto* pattern =
            new QTableWidgetItem(EngineToWidget(rules.Values[static_cast<std::size_t>(i)]));
        pattern->setFlags(PatternFlags);
        NamingRuleGrid->setItem(i, PatternColumn, pattern);
    }
    NamingRuleGrid->setCurrentCell(0, PatternColumn);
    FitGridToRows();
}

void TVbFileNamingRuleSetting::ControlsToSettings() {
    NamingRuleGrid->CommitEdit();
    TStringPairList& rules = Working().NamingRules;
    for (int i = 0; i < rules.Count() && i < NamingRuleGrid->rowCount(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QTableWidgetItem* label = NamingRuleGrid->item(i, LabelColumn);
        const QTableWidgetItem* pattern = NamingRuleGrid->item(i, PatternColumn);
        // A text the user did not change keeps its bytes exactly.
        rules.Names[k] = WidgetToEngine(label ? label->text() : QString(), {rules.Names[k]});
        rules.Values[k] = WidgetToEngine(pattern ? pattern->text() : QString(), {rules.Values[k]});
    }
}
