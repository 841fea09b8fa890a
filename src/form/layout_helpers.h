#pragma once
// Small helpers for building controls at their designed places.
#include <QString>
#include <initializer_list>
#include <QWidget>

#include "form/twips.h"

template <typename W> W* placed(W* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    placeTwips(w, left, top, width, height);
    return w;
}

// Gives lists, text boxes, picture boxes and picture buttons a name screen readers announce.
template <typename W> W* named(W* w, const char* accessibleName)
{
    w->setAccessibleName(QString::fromLatin1(accessibleName));
    return w;
}

// A list box in the fixed-pitch font every list of track lines uses.
class ListBox;
ListBox* fixedPitchList(QWidget* parent, const char* name, const char* accessibleName, bool multiSelect);

void setTextColour(QWidget* w, const QColor& colour);
void setBackColour(QWidget* w, const QColor& colour);
// Option buttons and check boxes stand on the dark window background.
void setCaptionWhite(std::initializer_list<QWidget*> widgets);
