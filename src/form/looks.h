#pragma once
// Applying a pane's look to its widget.
#include "logic/look.h"

class QWidget;

// Applies a look and remembers its exact values on the widget.
void setLook(QWidget* w, const Look& look);
Look lookOf(const QWidget* w);
