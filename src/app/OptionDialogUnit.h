// The option dialog: edits the editor command line and writes vrt.ini at once on OK.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TVtOption;

class TOptionDialog : public QDialog {
    Q_OBJECT
public:
    TOptionDialog(TVtOption& option, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* EditorName;
    QToolButton* OpenFile;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QComboBox* CodePage; // the code page of the VB sources
    QPushButton* Ok;
    QPushButton* Cancel;

    // Shows the editor command line and the code page.
    void FormCreate();
    // Stores the command line as typed and the code page chosen, and writes the options; the dialog
    // closes with OK only when they were written.
    void OkClick();
    // Lets the user pick the editor program: it replaces the program part of the command line,
    // the parameters stay.
    void OpenFileClick();

private:
    TVtOption& Option_;
};
