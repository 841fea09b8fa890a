#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>

#include <algorithm>

#include "form/twips.h"
#include "form/widgets.h"

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(mouseButtonCode(event->button()));
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove();
    QLabel::mouseMoveEvent(event);
}

namespace {

// Runs a handler for the events of a widget that match, for controls whose Qt class
// has no signal for them.
class EventHook : public QObject {
public:
    EventHook(QObject* parent, std::function<bool(const QEvent*)> matches, std::function<void()> handler)
        : QObject(parent), matches_(std::move(matches)), handler_(std::move(handler))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (matches_(event)) handler_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(const QEvent*)> matches_;
    std::function<void()> handler_;
};

}  // namespace

void onMouseMove(QWidget* w, std::function<void()> handler)
{
    w->setMouseTracking(true);
    w->installEventFilter(new EventHook(
        w, [](const QEvent* e) { return e->type() == QEvent::MouseMove; }, std::move(handler)));
}

void onLeftRelease(QWidget* w, std::function<void()> handler)
{
    w->installEventFilter(new EventHook(
        w,
        [](const QEvent* e) {
            return e->type() == QEvent::MouseButtonRelease
                   && static_cast<const QMouseEvent*>(e)->button() == Qt::LeftButton;
        },
        std::move(handler)));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    // The canvas covers the whole box: what lies behind it need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::fitCanvas()
{
    if (canvas_.size() == size()) return;
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(background_);
    blank_ = true;
    lastBox_ = {};
}

// Clearing a clear canvas draws nothing, so an idle window repaints nothing.
void PictureBox::cls()
{
    fitCanvas();
    if (blank_) return;
    canvas_.fill(background_);
    blank_ = true;
    lastBox_ = {};
    update();
}

// The pixels whose centres lie in the box; a box inside the last one drawn in
// the same colour changes no pixel and is not drawn again.
void PictureBox::fillBox(double x1, double y1, double x2, double y2, const QColor& colour)
{
    fitCanvas();
    const QRectF box = QRectF(QPointF(x1 / kTwipsPerPixel, y1 / kTwipsPerPixel),
                              QPointF(x2 / kTwipsPerPixel, y2 / kTwipsPerPixel))
                           .normalized();
    const QRect pixels(QPoint(qRound(box.left()), qRound(box.top())),
                       QPoint(qRound(box.right()) - 1, qRound(box.bottom()) - 1));
    if (pixels.isEmpty() || (colour == lastColour_ && lastBox_.contains(pixels))) return;
    // Plain stores: a painter on the canvas costs more than the few pixels a tick adds.
    const QRect area = pixels & canvas_.rect();
    const QRgb value = colour.rgb();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
        std::fill(line + area.left(), line + area.right() + 1, value);
    }
    blank_ = false;
    lastBox_ = pixels;
    lastColour_ = colour;
    update(pixels);
}

void PictureBox::setBackground(const QColor& colour)
{
    background_ = colour;
    blank_ = false;  // a clear canvas in the old colour still needs the new one
    cls();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void PictureBox::resizeEvent(QResizeEvent*)
{
    fitCanvas();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(mouseButtonCode(event->button()), toTwips(event->position().x()), toTwips(event->position().y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseUp(mouseButtonCode(event->button()), toTwips(event->position().x()), toTwips(event->position().y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(mouseButtonCode(Qt::MouseButton(int(event->buttons()) & 7)), toTwips(event->position().x()),
                   toTwips(event->position().y()));
}

PicButton::PicButton(QWidget* parent, Symbol symbol) : QToolButton(parent), symbol_(symbol)
{
    setFocusPolicy(Qt::NoFocus);
}

namespace {

void drawTriangle(QPainter& p, const QRectF& r, bool up)
{
    const QPointF tip(r.center().x(), up ? r.top() : r.bottom());
    const QPointF a(r.left(), up ? r.bottom() : r.top()), b(r.right(), up ? r.bottom() : r.top());
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF({tip, a, b}));
}

}  // namespace

void PicButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p, this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(isEnabled() ? QColor(20, 20, 20) : QColor(140, 140, 140), 1.4));
    const QRectF r = QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5);
    switch (symbol_) {
    case Symbol::Help: p.drawText(rect(), Qt::AlignCenter, QStringLiteral("?")); break;
    case Symbol::Mini: p.drawRect(QRectF(r.left(), r.center().y(), r.width() * 0.6, r.height() / 2)); break;
    case Symbol::Minimize: p.drawLine(r.bottomLeft(), r.bottomRight()); break;
    case Symbol::Close:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case Symbol::Restore: p.drawRect(r); break;
    case Symbol::VolumeUp: drawTriangle(p, r, true); break;
    case Symbol::VolumeDown: drawTriangle(p, r, false); break;
    }
}

void Frame::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QFontMetrics metrics(font());
    const int top = title().isEmpty() ? 0 : metrics.height() / 2;
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, top + 0.5, -0.5, -0.5));
    // Most repaints are behind a changing child, below the caption: it is only measured to be drawn.
    if (title().isEmpty() || event->rect().top() >= metrics.height()) return;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 6, metrics.height());
    p.fillRect(caption, palette().color(QPalette::Window));
    p.drawText(caption, Qt::AlignCenter, title());
}
