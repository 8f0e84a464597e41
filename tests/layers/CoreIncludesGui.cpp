// Built only by the layer test, which expects this file to be refused: a core file
// that reaches for an image type of Qt Gui.
#include <QtGui/QImage>

QImage CoreLayerProbe()
{
    return {};
}
