#pragma once
// The few control kinds the window needs beyond Qt's own: a list box addressed
// by line number, labels and picture boxes that report clicks and mouse moves
// in twips, and a picture box that keeps what was drawn on it.
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStringList>
#include <QToolButton>
#include <functional>

#include "form/row_view.h"

// Mouse buttons as the handlers know them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
int mouseButtonCode(Qt::MouseButton button);

// Models behind a ListBox answer this role, on any line, with the length in
// characters of their longest line: the lists use a fixed-pitch font and uniform
// line sizes, so this sets how far they scroll sideways without measuring every line.
constexpr int kWidestLineRole = Qt::UserRole + 1;

class LinesModel;

// A list box of text lines, by default its own; a model with one line per row can
// take their place. Lines are never cut short: a long line scrolls sideways and
// its tooltip shows it whole. Selecting a line from code emits click() exactly as a
// user's click does, once.
class ListBox : public RowView {
    Q_OBJECT
public:
    ListBox(QWidget* parent, bool multiSelect);

    // Shows the lines of another model instead of its own.
    void setLineModel(QAbstractItemModel* model);

    // Its own lines.
    void clear();
    void setItems(const QStringList& lines);
    void addItem(const QString& line);

    int listCount() const;
    QString itemText(int row) const;

    // The current line, or -1 when there is none.
    int listIndex() const;
    // Makes row the current and only selected line, then emits click(); -1 clears.
    void setListIndex(int row);
    bool isSelected(int row) const;
    // Marking a line selected emits click(); unmarking does not.
    void setSelected(int row, bool selected);
    QList<int> selectedRows() const;
    int topIndex() const;
    void setTopIndex(int row);
    // Lays the lines out again, as after their widest changed, keeping the top line.
    void relayout();

signals:
    void click();
    void dblClick();
    void mouseDown(int button, int shift, double xTwips, double yTwips);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool validRow(int row) const { return row >= 0 && row < listCount(); }
    QModelIndex rowIndex(int row) const { return model()->index(row, 0); }
    LinesModel* lines_;
};

// Runs handler whenever the pointer moves over w, for controls whose Qt class has
// no such signal.
void onMouseMove(QWidget* w, std::function<void()> handler);
// Runs handler whenever the left button is released over w: the click of a control
// that has none of its own.
void onLeftRelease(QWidget* w, std::function<void()> handler);

// A label that reports clicks and mouse movement.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void mouseDown(int button);
    void mouseMove();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A picture box: boxes drawn on it stay until cls(); mouse positions in twips.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

    void cls();
    // Draws a filled box between two corners given in twips.
    void fillBox(double x1, double y1, double x2, double y2, const QColor& colour);
    void setBackground(const QColor& colour);
    // The drawn canvas, for tests and screenshots.
    const QImage& canvas() const { return canvas_; }

signals:
    void mouseDown(int button, double xTwips, double yTwips);
    void mouseUp(int button, double xTwips, double yTwips);
    void mouseMove(int button, double xTwips, double yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // A hidden widget gets no resize event, so the canvas follows the size when used.
    void fitCanvas();
    QColor background_{Qt::black};
    QImage canvas_;
    bool blank_ = true;
    QRect lastBox_;  // the box drawn last, in pixels
    QColor lastColour_;
};

// A frame drawn as a thin white line with its caption set into the top edge.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent, const QString& caption = {}) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A small button that draws a symbol instead of a caption.
class PicButton : public QToolButton {
    Q_OBJECT
public:
    enum class Symbol { Help, Mini, Minimize, Close, Restore, VolumeUp, VolumeDown };
    PicButton(QWidget* parent, Symbol symbol);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Symbol symbol_;
};
