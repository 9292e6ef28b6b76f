#include "app/CVantrelConfigApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vantrel::CVantrelConfigApp program;
    return program.InitInstance();
}
