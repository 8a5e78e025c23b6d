#pragma once

#include <QImage>
#include <QSize>

// Light, quiet surfaces for the calendar page, which carries black and red text.
QImage paintPaper(QSize size);
QImage paintParchment(QSize size);
QImage paintLinen(QSize size);

// The soft gradient behind the whole calendar window.
QImage paintBackdrop(QSize size);
