#include "bluetooth/BluetoothThread.h"

namespace bluetooth {

BluetoothThread::BluetoothThread() : anchor_(new QObject) {
    thread_.setObjectName("bluetooth");
    anchor_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, anchor_, &QObject::deleteLater);
    thread_.start();
}

BluetoothThread::~BluetoothThread() {
    // Posted after everything handed over so far, so that work still runs first.
    post([] { QThread::currentThread()->quit(); });
    thread_.wait();
}

void BluetoothThread::post(std::function<void()> task) {
    QMetaObject::invokeMethod(anchor_, std::move(task), Qt::QueuedConnection);
}

}  // namespace bluetooth
