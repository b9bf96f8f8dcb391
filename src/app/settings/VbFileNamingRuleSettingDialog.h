// Settings dialog of the file naming rule: one wildcard pattern per kind of file.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VbFileNamingRule.h"

#include <QTableWidget>

class QLabel;

// The naming grid: column 0 (the kinds of file) can be neither selected nor edited; the current
// cell stays in column 1 whether it moves by mouse, Tab, arrow keys or program.
class TNamingRuleGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TNamingRuleGrid(QWidget* parent);
    // Whether the cell at column, row may become the current cell.
    static bool NamingRuleGridSelectCell(int column, int row);
    // Stores the text of a cell editor that is still open into its cell.
    void CommitEdit();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

class TVbFileNamingRuleSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVbFileNamingRule;
    explicit TVbFileNamingRuleSetting(QWidget* owner);
    ~TVbFileNamingRuleSetting() override;

    QLabel* Label1 = nullptr;
    TNamingRuleGrid* NamingRuleGrid = nullptr; // column 0 the kind label, column 1 the pattern

    void SettingsToControls() override;
    void ControlsToSettings() override;

private:
    void FormCreate();
    void FitGridToRows();
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
