#include "app/QtMessages.h"

#include "app/UiBridge.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace vantrel {

namespace {

QMessageBox::Icon iconFor(MessageButtons buttons, MessageIcon icon) {
    if (icon == MessageIcon::Stop) {
        return QMessageBox::Critical;
    }
    return buttons == MessageButtons::Ok ? QMessageBox::Warning : QMessageBox::Question;
}

MessageAnswer showBox(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    const QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const auto standardButtons = buttons == MessageButtons::Ok
                                     ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                     : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(iconFor(buttons, icon), title, body, standardButtons,
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

} // namespace

QtMessages::QtMessages(UiBridge& bridge) : bridge_(bridge) {
}

MessageAnswer QtMessages::show(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    MessageAnswer answer =
        buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    bridge_.run([&] { answer = showBox(text, buttons, icon); });
    return answer;
}

} // namespace vantrel
