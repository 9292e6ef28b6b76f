#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QWidget;

namespace vantrel {

// The "Vantrel Pro" mark by which a second copy finds the first: a local server private to this
// user, announced once the main window has been set up.
class SingleInstance : public QObject {
public:
    SingleInstance();
    ~SingleInstance() override;

    // Asks a running copy to show its window in its normal state and come to the front. True
    // when one answered: this copy then ends without starting anything else.
    static bool bringRunningCopyToFront();

    // From now on a later copy finds this one and brings this window to the front.
    void announce(QWidget* window);

private:
    std::unique_ptr<QLocalServer> server_;
};

// Where the mark lives: a name in this user's private runtime folder.
QString singleInstanceMark();

} // namespace vantrel
