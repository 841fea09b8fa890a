#include "form/page.h"

#include "form/form1.h"
#include "form/layout_helpers.h"

Page::Page(Form1& owner, const char* name, int heightTwips) : Frame(&owner), form(owner)
{
    placed(this, name, 120, 600, 10095, heightTwips);
    hide();
}

PageFrame::PageFrame(Form1& owner, QWidget* page, const QString& caption) : Frame(page, caption), form(owner) {}
