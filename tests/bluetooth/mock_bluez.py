#!/usr/bin/python3
'''A private D-Bus bus with a mock BlueZ on it, for trying the Bluetooth central without radio.

Starts dbus-daemon (session-style configuration, used as the system bus), serves BlueZ on it
through python-dbusmock with chair_bluez_template.py, adds adapter hci0 and, with --demo, a
chair and two decoys (the chair with an MTU of 247, or the timed radio that --radio CI_MS,K,MTU
describes). Prints one line
    DBUS_SYSTEM_BUS_ADDRESS=<address>
and runs until standard input closes or it is terminated. Exits with 77 when dbus-daemon or
python3-dbusmock is missing (scripts/install-deps installs both).

By hand:  tests/bluetooth/mock_bluez.py --demo   then, in another shell,
          DBUS_SYSTEM_BUS_ADDRESS=<address> BLUETOOTH_FORCE_DBUS_LE_VERSION=5.66 \\
              build/bin/chairctl monitor --chair bluetooth
'''

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

MISSING = 77
TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'chair_bluez_template.py')
BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir={dir}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
'''


def fail(message, code=1):
    print(f'mock_bluez: {message}', file=sys.stderr, flush=True)
    sys.exit(code)


def start_bus(workdir):
    if shutil.which('dbus-daemon') is None:
        fail('dbus-daemon is not installed', MISSING)
    config = os.path.join(workdir, 'bus.conf')
    with open(config, 'w', encoding='utf-8') as f:
        f.write(BUS_CONFIG.format(dir=workdir))
    daemon = subprocess.Popen(['dbus-daemon', '--config-file', config, '--nofork',
                               '--print-address=1'], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    address = daemon.stdout.readline().strip()
    if not address:
        fail('dbus-daemon did not start')
    return daemon, address


def wait_for_bluez(bus, deadline):
    while time.monotonic() < deadline:
        if bus.name_has_owner('org.bluez'):
            return True
        time.sleep(0.05)
    return False


def populate(bus, args):
    import dbus  # pylint: disable=import-outside-toplevel
    mock = dbus.Interface(bus.get_object('org.bluez', '/'), 'org.bluez.Mock')
    mock.AddAdapter('hci0', 'massage-remote test host')
    if args.demo:
        chair = mock.AddChair('hci0', 'C0:FF:EE:00:00:01', 'Vornalex A1', -60, True, 'chair')
        mock.SetMtu(chair, 247)
        if args.radio:
            interval, per_event, mtu = args.radio.split(',')
            mock.SetRadio(chair, float(interval), int(per_event), int(mtu))
        mock.AddChair('hci0', 'C0:FF:EE:00:00:02', 'vornalex lowercase', -40, True, 'chair')
        mock.AddChair('hci0', 'C0:FF:EE:00:00:03', 'Vornalex no FFE0', -45, False, 'chair')


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--demo', action='store_true', help='add a chair and two decoys')
    parser.add_argument('--radio', metavar='CI_MS,K,MTU',
                        help="give the demo chair a timed radio (see chair_bluez_template.py)")
    args = parser.parse_args()

    try:
        import dbus  # pylint: disable=import-outside-toplevel
        import dbusmock  # noqa: F401 pylint: disable=import-outside-toplevel,unused-import
    except ImportError as e:
        fail(f'python3-dbusmock is not installed ({e})', MISSING)

    workdir = tempfile.mkdtemp(prefix='mock-bluez-')
    children = []

    def finish(*_, code=0):
        for child in reversed(children):
            child.terminate()
        for child in reversed(children):
            try:
                child.wait(timeout=5)
            except subprocess.TimeoutExpired:
                child.kill()
        shutil.rmtree(workdir, ignore_errors=True)
        sys.exit(code)

    signal.signal(signal.SIGTERM, finish)
    signal.signal(signal.SIGINT, finish)

    daemon, address = start_bus(workdir)
    children.append(daemon)
    env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=address)
    children.append(subprocess.Popen(
        [sys.executable, '-m', 'dbusmock', '--system', '--template', TEMPLATE],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT))

    bus = dbus.bus.BusConnection(address)
    if not wait_for_bluez(bus, time.monotonic() + 10):
        print('mock_bluez: the mock BlueZ did not come up', file=sys.stderr, flush=True)
        finish(code=1)
    populate(bus, args)

    print(f'DBUS_SYSTEM_BUS_ADDRESS={address}', flush=True)
    try:
        sys.stdin.read()
    finally:
        finish()


if __name__ == '__main__':
    main()
