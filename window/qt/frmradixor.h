#pragma once

#include <QDialog>

#include <optional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The program's one window: an entry box with a keypad, Convert, Clear and
// Exit, and four read-only boxes showing the entry in decimal, binary,
// hexadecimal and octal.
class frmRadixor : public QDialog
{
    Q_OBJECT

public:
    explicit frmRadixor(QWidget *parent = nullptr);

    // The value the last Convert parsed; empty until the first one.
    const std::optional<double> &kept() const { return decnum; }

signals:
    // Raised once for every refused keystroke or paste, just before the
    // desktop's bell rings.
    void beeped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdConvert_Click();
    void Btn_Click(int index);
    void txtRadixor_KeyPress(int &KeyAscii);
    void cmdClear_Click();
    void cmdExit_Click();
    void txtRadixor_GotFocus();
    void txtDec_GotFocus();
    void txtBin_GotFocus();
    void txtHex_GotFocus();
    void txtOct_GotFocus();

    void beep();
    bool isResult(const QObject *box) const;
    void matchFrame();

    QLineEdit *txtRadixor = nullptr;
    QLineEdit *txtDec = nullptr;
    QLineEdit *txtBin = nullptr;
    QLineEdit *txtHex = nullptr;
    QLineEdit *txtOct = nullptr;
    QPushButton *cmdConvert = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdExit = nullptr;
    QButtonGroup *BtnGroup = nullptr;
    QGroupBox *Frame1 = nullptr;
    // The result box a click is giving the focus, until the button is released.
    QLineEdit *clickedInto = nullptr;

    std::optional<double> decnum;
};
