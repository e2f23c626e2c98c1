#include "window/pelagor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    pelagor::Pelagor window;
    window.show();
    return QApplication::exec();
}
