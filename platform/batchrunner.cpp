#include "platform/batchrunner.h"

BatchRunner::BatchRunner(QObject* parent) : QObject(parent) {}
