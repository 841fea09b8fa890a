#pragma once
// A page of the main window: a frame below the tab row that builds its own
// controls at their places and connects them to its own handlers. A page lives in
// the folder of its feature (album/, playlist/, search/, prefs/) with its handlers,
// so the form only names it; the form's own members stay a table of contents.
#include "form/widgets.h"

class Form1;

class Page : public Frame {
    Q_OBJECT
public:
    // Named name, heightTwips high, hidden until its tab is chosen.
    Page(Form1& form, const char* name, int heightTwips);

protected:
    Form1& form;
};

// A captioned frame on a page that, like a page, brings its own controls and handlers.
class PageFrame : public Frame {
    Q_OBJECT
public:
    PageFrame(Form1& form, QWidget* page, const QString& caption);

protected:
    Form1& form;
};
