#pragma once

#include <QString>

// The system's print server (CUPS), as the printer asks it before and while sending a document.
// A stopped queue would hold a job and print it some day later, so a document is only sent to a
// queue that exists, accepts jobs and is not stopped. Reasons come back as Portuguese sentences
// that name the queue, for the message that tells the user where the document went instead.
namespace PrintQueue {

// The default queue (lpoptions, $PRINTER or the server's default); empty when there is none or
// no server answers.
QString defaultName();

// Empty when the queue can take a job now; otherwise why it cannot.
QString problem(const QString& name);

// Checks the queue, then sends the file to it as one job named `title`. Empty when the server
// took the job; otherwise why it was not sent or was refused.
QString send(const QString& name, const QString& file, const QString& title);

} // namespace PrintQueue
