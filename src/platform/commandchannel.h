#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

namespace vantor {

// How handing a command to the running copy went.
enum class HandOver { Delivered, NoCopyRuns, Failed };

// Hands command to the copy of the program that runs for this user and display, and waits until
// that copy has taken it, not until it has carried it out: a capture may wait for a dialog.
HandOver handToRunningCopy(const QByteArray& command);

// Takes the commands that later copies hand over for as long as parent lives; accept says
// whether a command is known, which the sender is told, and runs it. Called once the single
// instance is claimed. Nothing where the system has no channel.
void listenForCommands(QObject* parent, std::function<bool(const QByteArray&)> accept);

} // namespace vantor
