// tavisko-book: makes, checks and exports book databases (see BookTool).
#include "bookimport/BookTool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    BookTool tool(out, err);
    return tool.Run(app.arguments().mid(1));
}
