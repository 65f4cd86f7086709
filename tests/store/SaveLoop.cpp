// Saves the lists of Generations.h into FOLDER/Tockwell.alarms, one generation after
// another from FIRST on, until it is killed. The crash-safety test kills it.
//   save_loop FOLDER FIRST
#include "AlarmFile.h"
#include "Generations.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    TAlarmFile file(QString::fromLocal8Bit(argv[1]) + u'/');
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int g = std::atoi(argv[2]);; ++g)
        file.SaveList(Generation(g));
}
