#include "mosaic_easel_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    paint::Mosaic_Easel_Main window(arguments.join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
