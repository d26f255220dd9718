// Keeps sample results in a history one after another until it is killed,
// printing "kept N" once result N is committed.
//
//   history_writer PATH FIRST

#include "history_samples.h"
#include "shell/history_store.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    pranoth::HistoryStore store(QString::fromLocal8Bit(argv[1]));
    for (int n = std::atoi(argv[2]);; ++n) {
        pranoth::KeptResult record = pranoth::testing::sampleResult(n);
        if (!store.keep(record).isEmpty())
            return 1;
        std::printf("kept %d\n", n);
        std::fflush(stdout);
    }
}
