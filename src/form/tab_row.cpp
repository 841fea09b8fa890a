#include "form/tab_row.h"

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "platform/colors.h"

void setTabLooks(Form1& form, QLabel* active)
{
    for (QLabel* tab : {static_cast<QLabel*>(form.lblTabTrackList), static_cast<QLabel*>(form.lblTabPlaylist),
                        static_cast<QLabel*>(form.lblTabSearch), static_cast<QLabel*>(form.lblTabOptions)}) {
        const bool on = tab == active;
        setBackColour(tab, toQColor(on ? 0xE0E0E0 : 0x404040));
        setTextColour(tab, toQColor(on ? 0x000000 : 0xFFFFFF));
    }
}
