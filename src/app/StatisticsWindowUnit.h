// The statistics window: per member source, total, code, blank and comment lines with bars.
#pragma once

#include <QWidget>

class TVbProjectSource;

class TStatisticsWindow : public QWidget {
    Q_OBJECT
public:
    explicit TStatisticsWindow(QWidget* parent = nullptr);
    // Fills the table from a parsed project (rows in the order of its member sources).
    void ShowStatistics(TVbProjectSource* project);
};
