#pragma once

#include <QMessageBox>

// A message box at least as wide as its whole caption in the title bar,
// which a short text would otherwise cut ("テスト作…ステム"). The box
// sizes itself for its text when it is shown and whenever its layout
// changes; only then is it widened, with the height its text takes at the
// new width, so the text is laid out (and wrapped) for the width it gets.
// (A minimum width on the label instead leaves the box sized for one line
// and cuts every text longer than that.)
class CaptionWideMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    // The width the whole caption needs in the title bar.
    void SetCaptionWidth(int width) { m_captionWidth = width; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void WidenForCaption();

    int m_captionWidth = 0;
};
