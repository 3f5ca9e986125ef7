#pragma once
// The start-up picture: a frameless window centred on the screen that goes away after 1500 ms or
// at the first key or mouse press anywhere in the program; that press does nothing else.

#include <QWidget>

namespace vanta {

class CSplashWnd : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDisplayMs = 1500;
    static constexpr QSize kSize{420, 260};

    explicit CSplashWnd(QWidget* parent = nullptr);
    ~CSplashWnd() override;

    // Shows a splash window that deletes itself when it goes away.
    static CSplashWnd* showSplash(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void dismiss();
};

}  // namespace vanta
