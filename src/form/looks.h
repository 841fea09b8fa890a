#pragma once
// Applying a pane's look to its widget.
#include "logic/look.h"

class QWidget;

// Applies a look to a widget; lookOf reads it back from the widget's palette and font.
void setLook(QWidget* w, const Look& look);
Look lookOf(const QWidget* w);
