#pragma once

#include "core/platform.h"
#include "core/scoring.h"
#include "core/test_run.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace pranoth {

// What the program does with a result the user keeps: Save as PDF, Print, and
// My History. It is built as a module of its own and loaded when first
// needed, so that its libraries (print support, SQL) cost the start nothing.
class Keeping {
public:
    virtual ~Keeping() = default;

    // A completed run as it was when its result window opened.
    struct Result {
        TestRun run;
        ChakraResults results;
        DateTime completed;
    };

    virtual void saveAsPdf(QWidget &parent, const Result &result) = 0;
    virtual void print(QWidget &parent, const Result &result) = 0;
    // Keeps the result in My History: true when kept; any message for the
    // user (why it failed, or a word about the history itself) is told
    // through the platform.
    virtual bool keep(const Result &result) = 0;
    // My History, one window of it; asked again, it comes to the front.
    virtual void showHistory() = 0;
};

// Makes the keeping part for the given platform and My History file.
using KeepingFactory =
    std::function<std::unique_ptr<Keeping>(Platform &platform, const QString &historyPath)>;

// The keeping part linked into this program (the module, and tests).
std::unique_ptr<Keeping> makeKeeping(Platform &platform, const QString &historyPath);

// The keeping part from the module beside the program or in its library
// folder; none, with the reason in `failure`, when it cannot be loaded.
std::unique_ptr<Keeping> loadKeeping(Platform &platform, const QString &historyPath,
                                     QString &failure);

} // namespace pranoth
