#pragma once

#include "frmradixor.h"

#include <QDialog>

#include <array>
#include <optional>

class QGroupBox;
class QLineEdit;

// The program's one window over Qt: the controls of the definition's
// table as widgets, the handlers' operations on them, and Qt's events
// bound to the handlers.
class QtWindow : public QDialog, private radixor::ControlOperations
{
    Q_OBJECT

public:
    explicit QtWindow(QWidget *parent = nullptr);

    // The value the last Convert parsed; empty until the first one.
    const std::optional<double> &kept() const { return form.kept(); }

    using QWidget::setFocus;

signals:
    // Raised once for every refused keystroke or insertion, just before
    // the desktop's bell rings.
    void beeped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::u16string text(radixor::Control box) const override;
    void setText(radixor::Control box, std::u16string_view text) override;
    void setSelStart(radixor::Control box, std::size_t start) override;
    void setSelLength(radixor::Control box, std::size_t length) override;
    void setFocus(radixor::Control control) override;
    void refresh(radixor::Control box) override;
    void unload() override;
    void beep() override;

    QLineEdit *box(radixor::Control c) const;
    std::optional<radixor::Control> controlOf(const QObject *widget) const;
    bool keyPress(QObject *watched, QKeyEvent *event);
    void matchFrame();

    // One per row of the definition, in its order.
    std::array<QWidget *, std::size(radixor::controls)> widgets{};
    QGroupBox *Frame1 = nullptr;
    // The result box a click is giving the focus, until the button is released.
    QLineEdit *clickedInto = nullptr;

    radixor::frmRadixor form{*this};
};
