'''python-dbusmock template: BlueZ 5 with massage chairs that have a GATT server.

Builds on dbusmock's bluez5 template (adapters, devices) and adds, on org.bluez.Mock:
  AddChair(adapter, address, name, rssi, advertises_ffe0, behaviour) -> device path
      behaviour "chair": Connect resolves the services; "silent": Connect is accepted but the
      link never comes up. An empty name leaves the device without one, an RSSI of 0 without
      a reading.
  SetRssi(device, rssi)            a new advertisement (RSSI changes count as one)
  Notify(device, value)            the chair notifies `value` on FFE1 (fails unless subscribed)
  DropLink(device)                 the chair walks away: Connected and ServicesResolved drop
  SetMtu(device, mtu)              the ATT MTU BlueZ agreed with the chair on connecting
  WrittenValues(device) -> aay     what reached FFE2 as write-without-response, in order
  CallCount(path, method) -> u    how often `method` of the object at `path` was called
  RemoveAllDevices(adapter)
  SetRadio(device, ci_ms, k, mtu)  a timed radio for the device (ci_ms 0: none, the default):
      connection events every ci_ms of model time, each carrying at most k packets towards
      the chair; sets the MTU as SetMtu does
  RadioReport(device) -> (bytes, seconds, most_queued)
      FFE2 bytes carried since SetRadio, the model seconds from the first write handed to
      BlueZ to the event that carried the last, and the most bytes BlueZ held unsent at once
FFE2 refuses requests (the type BlueZ gives a write with response) and writes longer than
ATT_MTU - 3 bytes, as BlueZ does; the MTU is the LE default of 23 unless SetMtu says otherwise.

The timed radio runs on model time, not the wall clock, so it measures the link's use of the
air however fast the host is: the host is taken to act at once. Each write without response
and each read request goes out in the first connection event after the model time it reached
BlueZ, k per event in order; a read is answered in the event after the one that carried it,
and its answer moves model time there (a read is all a host can wait for). Writes are answered
over D-Bus at once, as BlueZ does once it has queued them.
'''

import dbus
from gi.repository import GLib

# Re-exported so that AddTemplate also picks up the bluez5 D-Bus methods from this module.
from dbusmock.templates.bluez5 import *  # noqa: F401,F403 pylint: disable=wildcard-import
from dbusmock.templates import bluez5
from dbusmock import OBJECT_MANAGER_IFACE, mockobject

DEVICE_IFACE = 'org.bluez.Device1'
SERVICE_IFACE = 'org.bluez.GattService1'
CHAR_IFACE = 'org.bluez.GattCharacteristic1'
DESC_IFACE = 'org.bluez.GattDescriptor1'
MOCK_IFACE = 'org.bluez.Mock'

ATT_MTU = 23
RESOLVE_DELAY_MS = 20


def full_uuid(short):
    return f'0000{short.lower()}-0000-1000-8000-00805f9b34fb'


def emit_changed(obj, iface, changes):
    for name, value in changes.items():
        obj.props[iface][name] = value
    obj.EmitSignal(dbus.PROPERTIES_IFACE, 'PropertiesChanged', 'sa{sv}as',
                   [iface, dbus.Dictionary(changes, signature='sv'), dbus.Array([], signature='s')])


def add_object(path, iface, props, methods):
    manager = mockobject.objects['/']
    manager.AddObject(path, iface, props, methods)
    manager.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesAdded', 'oa{sa{sv}}',
                       [dbus.ObjectPath(path), {iface: props}])


def notify_char(device_path):
    return device_path + '/service0010/char0011'


def write_char(device_path):
    return device_path + '/service0010/char0014'


def set_notifying(char, on):
    emit_changed(char, CHAR_IFACE, {'Notifying': dbus.Boolean(on, variant_level=1)})


def chair_connect(device):
    if device.behaviour == 'silent':
        return
    if device.props[DEVICE_IFACE]['Connected']:
        raise dbus.exceptions.DBusException('Already Connected',
                                            name='org.bluez.Error.AlreadyConnected')
    emit_changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(True, variant_level=1)})
    # Like bluetoothd: the services resolve after Connect has returned, and the GATT objects
    # exist only while connected, made anew each time.
    GLib.timeout_add(RESOLVE_DELAY_MS, resolve_services, device)


def resolve_services(device):
    if device.props[DEVICE_IFACE]['Connected'] and not device.props[DEVICE_IFACE]['ServicesResolved']:
        add_gatt(device.path)
        emit_changed(device, DEVICE_IFACE,
                     {'ServicesResolved': dbus.Boolean(True, variant_level=1)})
    return False


def chair_disconnect(device):
    if not device.props[DEVICE_IFACE]['Connected']:
        return
    emit_changed(device, DEVICE_IFACE, {'ServicesResolved': dbus.Boolean(False, variant_level=1)})
    emit_changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(False, variant_level=1)})
    remove_gatt(device.path)


class Radio:
    '''The air between BlueZ and one chair, on model time (seconds).'''

    def __init__(self, interval, per_event):
        self.interval = interval
        self.per_event = max(1, per_event)
        self.now = 0.0           # the host's model time: the last answer it had
        self.event = 0           # the next event with a free packet, and its packets used
        self.used = 0
        self.bytes = 0
        self.first = None        # model time the first write reached BlueZ
        self.last = 0.0          # model time of the event that carried the last write
        self.unsent = []         # (event time, length) of writes not yet carried
        self.most_queued = 0

    def send(self):
        '''Queues one packet now; returns the model time of the event that carries it.'''
        first = int(self.now / self.interval + 1e-9) + 1
        if first > self.event:
            self.event, self.used = first, 0
        carried = self.event * self.interval
        self.used += 1
        if self.used == self.per_event:
            self.event += 1
            self.used = 0
        return carried

    def write(self, length):
        if self.first is None:
            self.first = self.now
        self.unsent = [w for w in self.unsent if w[0] > self.now]
        self.last = self.send()
        self.bytes += length
        self.unsent.append((self.last, length))
        self.most_queued = max(self.most_queued, sum(w[1] for w in self.unsent))

    def read(self):
        self.now = max(self.now, self.send() + self.interval)


def device_of(obj):
    path = obj.path
    while path.count('/') > 4:
        path = path.rsplit('/', 1)[0]
    return mockobject.objects.get(path)


def read_value(obj, _options):
    device = device_of(obj)
    radio = getattr(device, 'radio', None)
    if radio is not None:
        radio.read()
    return obj.props[obj.interface]['Value']


def write_ffe2(char, value, options):
    kind = str(options.get('type', 'request'))
    if kind != 'command':
        raise dbus.exceptions.DBusException('FFE2 takes writes without response only',
                                            name='org.bluez.Error.NotSupported')
    device = mockobject.objects[char.props[CHAR_IFACE]['Service'].rsplit('/', 1)[0]]
    if len(value) > getattr(device, 'mtu', ATT_MTU) - 3:
        raise dbus.exceptions.DBusException('Failed to initiate write',
                                            name='org.bluez.Error.Failed')
    device.writes.append(dbus.ByteArray(bytes(value)))
    if getattr(device, 'radio', None) is not None:
        device.radio.write(len(value))


def remove_gatt(device_path):
    manager = mockobject.objects['/']
    for path in sorted(mockobject.objects, reverse=True):
        if path.startswith(device_path + '/'):
            iface = mockobject.objects[path].interface
            manager.RemoveObject(path)
            manager.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                               [dbus.ObjectPath(path), [iface]])


def refuse_write(_obj, _value, _options):
    raise dbus.exceptions.DBusException('Write not permitted',
                                        name='org.bluez.Error.NotPermitted')


def add_gatt(device_path):
    service = device_path + '/service0010'
    add_object(service, SERVICE_IFACE, {
        'UUID': dbus.String(full_uuid('ffe0'), variant_level=1),
        'Primary': dbus.Boolean(True, variant_level=1),
        'Device': dbus.ObjectPath(device_path, variant_level=1),
        'Includes': dbus.Array([], signature='o', variant_level=1),
        'Handle': dbus.UInt16(0x10, variant_level=1),
    }, [])
    notify = notify_char(device_path)
    add_object(notify, CHAR_IFACE, {
        'UUID': dbus.String(full_uuid('ffe1'), variant_level=1),
        'Service': dbus.ObjectPath(service, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Notifying': dbus.Boolean(False, variant_level=1),
        'Flags': dbus.Array(['notify'], signature='s', variant_level=1),
        'Handle': dbus.UInt16(0x11, variant_level=1),
    }, [
        ('StartNotify', '', '', lambda char: set_notifying(char, True)),
        ('StopNotify', '', '', lambda char: set_notifying(char, False)),
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', refuse_write),
    ])
    add_object(notify + '/desc0013', DESC_IFACE, {
        'UUID': dbus.String(full_uuid('2902'), variant_level=1),
        'Characteristic': dbus.ObjectPath(notify, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Handle': dbus.UInt16(0x13, variant_level=1),
    }, [
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', refuse_write),
    ])
    write = write_char(device_path)
    add_object(write, CHAR_IFACE, {
        'UUID': dbus.String(full_uuid('ffe2'), variant_level=1),
        'Service': dbus.ObjectPath(service, variant_level=1),
        'Value': dbus.Array([], signature='y', variant_level=1),
        'Flags': dbus.Array(['write-without-response'], signature='s', variant_level=1),
        'Handle': dbus.UInt16(0x14, variant_level=1),
    }, [
        ('ReadValue', 'a{sv}', 'ay', read_value),
        ('WriteValue', 'aya{sv}', '', write_ffe2),
    ])


@dbus.service.method(MOCK_IFACE, in_signature='sssnbs', out_signature='o')
def AddChair(_self, adapter, address, name, rssi, advertises_ffe0, behaviour):
    adapter_path = '/org/bluez/' + adapter
    path = adapter_path + '/dev_' + address.replace(':', '_').upper()
    props = {
        'Address': dbus.String(address, variant_level=1),
        'AddressType': dbus.String('public', variant_level=1),
        # What BlueZ shows for a device that never sent a name.
        'Alias': dbus.String(name or address.replace(':', '-'), variant_level=1),
        'Adapter': dbus.ObjectPath(adapter_path, variant_level=1),
        'Paired': dbus.Boolean(False, variant_level=1),
        'Trusted': dbus.Boolean(False, variant_level=1),
        'Blocked': dbus.Boolean(False, variant_level=1),
        'LegacyPairing': dbus.Boolean(False, variant_level=1),
        'Connected': dbus.Boolean(False, variant_level=1),
        'ServicesResolved': dbus.Boolean(False, variant_level=1),
        'UUIDs': dbus.Array([full_uuid('ffe0')] if advertises_ffe0 else [], signature='s',
                            variant_level=1),
    }
    if name:
        props['Name'] = dbus.String(name, variant_level=1)
    if rssi:
        props['RSSI'] = dbus.Int16(rssi, variant_level=1)
    add_object(path, DEVICE_IFACE, props, [
        ('Connect', '', '', chair_connect),
        ('Disconnect', '', '', chair_disconnect),
    ])
    device = mockobject.objects[path]
    device.behaviour = str(behaviour)
    device.writes = []
    return path


@dbus.service.method(MOCK_IFACE, in_signature='on', out_signature='')
def SetRssi(_self, device, rssi):
    emit_changed(mockobject.objects[device], DEVICE_IFACE,
                 {'RSSI': dbus.Int16(rssi, variant_level=1)})


@dbus.service.method(MOCK_IFACE, in_signature='oay', out_signature='')
def Notify(_self, device, value):
    char = mockobject.objects.get(notify_char(device))
    if char is None or not char.props[CHAR_IFACE]['Notifying']:
        raise dbus.exceptions.DBusException('FFE1 is not notifying',
                                            name='org.bluez.Error.NotPermitted')
    emit_changed(char, CHAR_IFACE,
                 {'Value': dbus.Array(bytes(value), signature='y', variant_level=1)})


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='')
def DropLink(_self, device):
    chair_disconnect(mockobject.objects[device])


@dbus.service.method(MOCK_IFACE, in_signature='oq', out_signature='')
def SetMtu(_self, device, mtu):
    mockobject.objects[device].mtu = int(mtu)


@dbus.service.method(MOCK_IFACE, in_signature='oduq', out_signature='')
def SetRadio(_self, device, ci_ms, per_event, mtu):
    obj = mockobject.objects[device]
    obj.radio = Radio(ci_ms / 1000.0, int(per_event)) if ci_ms > 0 else None
    obj.mtu = int(mtu)


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='tdt')
def RadioReport(_self, device):
    radio = getattr(mockobject.objects[device], 'radio', None)
    if radio is None or radio.first is None:
        return (dbus.UInt64(0), 0.0, dbus.UInt64(0))
    return (dbus.UInt64(radio.bytes), radio.last - radio.first, dbus.UInt64(radio.most_queued))


@dbus.service.method(MOCK_IFACE, in_signature='o', out_signature='aay')
def WrittenValues(_self, device):
    return dbus.Array(mockobject.objects[device].writes, signature='ay')


@dbus.service.method(MOCK_IFACE, in_signature='os', out_signature='u')
def CallCount(_self, path, method):
    obj = mockobject.objects.get(path)
    if obj is None:
        return 0
    return sum(1 for call in obj.call_log if call[1] == method)


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def RemoveAllDevices(self, adapter):
    prefix = '/org/bluez/' + adapter + '/'
    for path in [p for p in mockobject.objects if p.startswith(prefix) and p.count('/') == 4]:
        remove_gatt(path)
        self.RemoveObject(path)
        self.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                        [dbus.ObjectPath(path), [DEVICE_IFACE]])


def load(mock, parameters):
    bluez5.load(mock, parameters)
