// "Give Input to 8155": the levels on the 8155's input ports. An output port
// shows "OP" and cannot be changed. OK writes each input port's latch; a
// port whose text holds no hexadecimal digit keeps its latch.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLineEdit;

class C8155InpDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_PORT_A = 1162, IDC_PORT_B = 1158, IDC_PORT_C = 1167 };
    static constexpr int kPorts = 3;

    explicit C8155InpDlg(QWidget* parent = nullptr);
    // Rejected at once, after the message, when no 8155 is connected.
    int DoModal();

    QString m_strPortA, m_strPortB, m_strPortC;

    // Port 0 (A) to 2 (C).
    QLineEdit* PortEdit(int port) const { return m_edits[std::size_t(port)]; }

public slots:
    void accept() override;

private:
    bool OnInitDialog();
    void OnChangePort(int port);
    void UpdateData(bool bSaveAndValidate);
    QString& PortText(int port);

    std::array<QLineEdit*, kPorts> m_edits{};
};
