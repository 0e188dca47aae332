#pragma once
#include <QObject>
#include <exception>

// The one place an exception that escaped an event handler ends up: it is recorded in the
// trace ring and the operator is offered the error report; the console goes on.
void ApplicationException(QObject *sender, const std::exception *e);
