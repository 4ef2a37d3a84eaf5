// The About box: the version text from "version.txt" beside the executable.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // Shown when the version file is missing, unreadable or empty.
    static constexpr const char* kDefaultVersion = "TORVAN Ver. 1.01";
    // The first line is read up to this many characters less one.
    static constexpr int kVersionLimit = 100;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // Fills the version text and shows it; runs when the box opens.
    bool OnInitDialog();

    // The first line of the file at path, its line end included when it
    // fits; the default text when nothing can be read.
    static QString ReadVersionText(const QString& path);

    QString m_strVersion;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QLabel* m_pVersionText = nullptr;
};
