#pragma once
// An animation played from a resource number, the way the suite's dialogs
// show their "something is happening" pictures. The animations are small
// GIF files compiled into the library (ui/resources/), one per number.
// The control is transparent and draws the frame centred in its area.
#include <QWidget>
#include <memory>

#include "ui/ui_export.h"

class QMovie;

namespace ui {

class VELKA_UI_EXPORT AnimationControl : public QWidget {
    Q_OBJECT
public:
    explicit AnimationControl(QWidget* parent = nullptr);
    ~AnimationControl() override;

    static QString resourcePath(int number);  // ":/velka/animations/<n>.gif"
    static bool exists(int number);

    // false (and nothing open) when there is no animation of that number.
    bool open(int number);
    void close();
    // Plays all frames; repeat < 0 repeats until stop().
    bool play(int repeat = -1);
    void stop();

    bool isOpen() const { return movie_ != nullptr; }
    bool isPlaying() const;
    int number() const { return number_; }
    QSize frameSize() const;
    int currentFrame() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onFrameChanged();

    std::unique_ptr<QMovie> movie_;
    int number_ = 0;
    int repeat_ = -1;
    int loopsDone_ = 0;
};

}  // namespace ui
