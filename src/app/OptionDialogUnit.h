// The option dialog: edits the editor command line, the code page of the sources and the language
// of the windows, and writes vrt.ini at once on OK.
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
    QLabel* Label5;
    QComboBox* Language; // the language of the windows: the locale's, Japanese or English
    QLabel* Label6;      // a new language is taken at the next start
    QPushButton* Ok;
    QPushButton* Cancel;

    // Shows the editor command line, the code page and the language.
    void FormCreate();
    // Stores the command line as typed, the code page and the language chosen, and writes the
    // options; the dialog closes with OK only when they were written.
    void OkClick();
    // Lets the user pick the editor program: it replaces the program part of the command line,
    // the parameters stay.
    void OpenFileClick();

private:
    TVtOption& Option_;
};
