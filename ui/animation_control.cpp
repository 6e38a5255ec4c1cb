#include "ui/animation_control.h"

#include <QFile>
#include <QMovie>
#include <QPainter>

static void initUiResources() {
    Q_INIT_RESOURCE(ui_animations);
}

namespace ui {

namespace {
void ensureResources() {
    static const bool done = [] {
        initUiResources();
        return true;
    }();
    (void)done;
}
}  // namespace

AnimationControl::AnimationControl(QWidget* parent) : QWidget(parent) {
    ensureResources();
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

AnimationControl::~AnimationControl() {
    close();
}

QString AnimationControl::resourcePath(int number) {
    return QStringLiteral(":/velka/animations/%1.gif").arg(number);
}

bool AnimationControl::exists(int number) {
    ensureResources();
    return QFile::exists(resourcePath(number));
}

bool AnimationControl::open(int number) {
    close();
    if (!exists(number)) return false;
    auto movie = std::make_unique<QMovie>(resourcePath(number));
    if (!movie->isValid()) return false;
    movie->setCacheMode(QMovie::CacheAll);
    connect(movie.get(), &QMovie::frameChanged, this, [this] { onFrameChanged(); });
    movie->jumpToFrame(0);
    movie_ = std::move(movie);
    number_ = number;
    updateGeometry();
    update();
    return true;
}

void AnimationControl::close() {
    if (!movie_) return;
    movie_->stop();
    movie_.reset();
    number_ = 0;
    update();
}

bool AnimationControl::play(int repeat) {
    if (!movie_) return false;
    repeat_ = repeat;
    loopsDone_ = 0;
    movie_->stop();
    movie_->jumpToFrame(0);
    movie_->start();
    return true;
}

void AnimationControl::stop() {
    if (movie_) movie_->setPaused(true);
}

bool AnimationControl::isPlaying() const {
    return movie_ && movie_->state() == QMovie::Running;
}

QSize AnimationControl::frameSize() const {
    return movie_ ? movie_->currentImage().size() : QSize();
}

int AnimationControl::currentFrame() const {
    return movie_ ? movie_->currentFrameNumber() : -1;
}

QSize AnimationControl::sizeHint() const {
    const QSize frame = frameSize();
    return frame.isValid() ? frame : QSize(32, 32);
}

void AnimationControl::onFrameChanged() {
    // The files loop by themselves; a limited repeat count stops after the
    // last frame of the last round.
    if (repeat_ >= 0 && movie_->currentFrameNumber() == movie_->frameCount() - 1 &&
        ++loopsDone_ >= repeat_)
        movie_->setPaused(true);
    update();
}

void AnimationControl::paintEvent(QPaintEvent*) {
    if (!movie_) return;
    const QImage frame = movie_->currentImage();
    if (frame.isNull()) return;
    QPainter painter(this);
    const QPoint at((width() - frame.width()) / 2, (height() - frame.height()) / 2);
    painter.drawImage(at, frame);
}

}  // namespace ui
