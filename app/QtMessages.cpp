#include "app/QtMessages.h"

#include "app/UiBridge.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace vantrel {

namespace {

QMessageBox::Icon iconFor(MessageButtons buttons, MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::FromButtons:
        break;
    }
    return buttons == MessageButtons::Ok ? QMessageBox::Warning : QMessageBox::Question;
}

QMessageBox::StandardButtons standardButtonsFor(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
}

MessageAnswer showBox(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    const QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconFor(buttons, icon), title, body, standardButtonsFor(buttons),
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return dismissedAnswer(buttons);
    }
}

} // namespace

QtMessages::QtMessages(UiBridge& bridge) : bridge_(bridge) {
}

MessageAnswer QtMessages::show(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    MessageAnswer answer = dismissedAnswer(buttons);
    bridge_.run([&] { answer = showBox(text, buttons, icon); });
    return answer;
}

} // namespace vantrel
