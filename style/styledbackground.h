#pragma once

class QWidget;

// Custom QWidget subclasses call this from paintEvent so their style sheet background is drawn.
void paintStyledBackground(QWidget* widget);
