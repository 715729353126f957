'''bluetoothd stand-in for the Bluetooth link tests (a python-dbusmock template).

It is the stock bluez5 template plus the two calls through which an RFCOMM client
reaches a device when bluetoothd does the service lookup: ProfileManager1.RegisterProfile
remembers the client's org.bluez.Profile1 object, and Device1.ConnectProfile hands that
object one end of a socket pair through Profile1.NewConnection, as bluetoothd hands over
a connected RFCOMM socket. The device side of the pair echoes every byte back.

Extra org.bluez.Mock calls for the tests:
  SetReachable(adapter, address, reachable)  ConnectProfile fails while unreachable
  PushData(bytes)                             the devices send these bytes unasked
  DropConnections()                           the devices hang up
  AddUnnamedDevice(adapter, address, alias)   a paired device that never told its name
'''

import socket
import threading

import dbus
import dbus.service

from dbusmock import mockobject
from dbusmock.templates import bluez5
# Re-exported so that the mock registers the bluez5 calls as it does for that template.
from dbusmock.templates.bluez5 import *  # noqa: F401,F403 pylint: disable=wildcard-import,unused-wildcard-import

PROFILE_IFACE = 'org.bluez.Profile1'

_profiles = {}  # (client bus name, uuid) -> client profile object path
_links = []  # device ends of the open socket pairs
_links_lock = threading.Lock()
_unreachable = set()


def _replace_method(obj, interface, name, in_sig, function, **options):
    '''Installs a dbus-python method that, unlike AddMethod code, learns its caller.

    Decorated here rather than at module level, where the mock would also publish it
    on the root object.
    '''
    method = dbus.service.method(interface, in_signature=in_sig, out_signature='',
                                 sender_keyword='sender', **options)(function)
    obj.methods.setdefault(interface, {})[name] = (in_sig, '', '', method)


def _register_profile(_manager, path, uuid, _options, sender=None):
    _profiles[(str(sender), str(uuid).lower())] = str(path)


def _unregister_profile(_manager, path, sender=None):
    for key in [k for k, v in _profiles.items() if k[0] == str(sender) and v == str(path)]:
        del _profiles[key]


def _echo(link):
    try:
        while True:
            data = link.recv(65536)
            if not data:
                break
            link.sendall(data)
    except OSError:
        pass
    finally:
        with _links_lock:
            if link in _links:
                _links.remove(link)
        link.close()


def _connect_profile(device, uuid, sender=None, connection=None, on_done=None, on_error=None):
    address = str(device.props[bluez5.DEVICE_IFACE]['Address']).upper()
    profile = _profiles.get((str(sender), str(uuid).lower()))
    if address in _unreachable:
        on_error(dbus.exceptions.DBusException('Host is down', name='org.bluez.Error.Failed'))
        return
    if profile is None:
        on_error(dbus.exceptions.DBusException('No profile registered for ' + uuid,
                                               name='org.bluez.Error.NotAvailable'))
        return
    device_end, client_end = socket.socketpair(socket.AF_UNIX, socket.SOCK_STREAM)
    # Live from now on: the client may use the link before its reply to NewConnection
    # reaches us, and so may the test (DropConnections, PushData).
    with _links_lock:
        _links.append(device_end)
    threading.Thread(target=_echo, args=(device_end,), daemon=True).start()

    def delivered(*_):
        on_done()

    def refused(error):
        device_end.shutdown(socket.SHUT_RDWR)
        on_error(error)

    connection.call_async(sender, profile, PROFILE_IFACE, 'NewConnection', 'oha{sv}',
                          (dbus.ObjectPath(device.path), dbus.types.UnixFd(client_end.fileno()), {}),
                          delivered, refused)
    client_end.close()


def _make_connectable(path):
    device = mockobject.objects[path]
    _replace_method(device, bluez5.DEVICE_IFACE, 'ConnectProfile', 's', _connect_profile,
                    connection_keyword='connection', async_callbacks=('on_done', 'on_error'))


def load(mock, parameters):
    bluez5.load(mock, parameters)
    manager = mockobject.objects['/org/bluez']
    _replace_method(manager, bluez5.PROFILE_MANAGER_IFACE, 'RegisterProfile', 'osa{sv}',
                    _register_profile)
    _replace_method(manager, bluez5.PROFILE_MANAGER_IFACE, 'UnregisterProfile', 'o',
                    _unregister_profile)


@dbus.service.method(bluez5.BLUEZ_MOCK_IFACE, in_signature='sss', out_signature='s')
def AddDevice(self, adapter_device_name, device_address, alias):  # pylint: disable=invalid-name
    path = bluez5.AddDevice(self, adapter_device_name, device_address, alias)
    _make_connectable(path)
    return path


@dbus.service.method(bluez5.BLUEZ_MOCK_IFACE, in_signature='sss', out_signature='s')
def AddUnnamedDevice(self, adapter_device_name, device_address, alias):  # pylint: disable=invalid-name
    adapter_path = '/org/bluez/' + adapter_device_name
    path = adapter_path + '/dev_' + device_address.replace(':', '_').upper()
    self.AddObject(path, bluez5.DEVICE_IFACE, {
        'Address': dbus.String(device_address, variant_level=1),
        'Alias': dbus.String(alias, variant_level=1),
        'Paired': dbus.Boolean(True, variant_level=1),
        'Adapter': dbus.ObjectPath(adapter_path, variant_level=1),
    }, [])
    _make_connectable(path)
    return path


@dbus.service.method(bluez5.BLUEZ_MOCK_IFACE, in_signature='ssb', out_signature='')
def SetReachable(_self, _adapter_device_name, device_address, reachable):  # pylint: disable=invalid-name
    if reachable:
        _unreachable.discard(device_address.upper())
    else:
        _unreachable.add(device_address.upper())


@dbus.service.method(bluez5.BLUEZ_MOCK_IFACE, in_signature='ay', out_signature='',
                     byte_arrays=True)
def PushData(_self, data):  # pylint: disable=invalid-name
    with _links_lock:
        for link in _links:
            link.sendall(bytes(data))


@dbus.service.method(bluez5.BLUEZ_MOCK_IFACE, in_signature='', out_signature='')
def DropConnections(_self):  # pylint: disable=invalid-name
    with _links_lock:
        for link in _links:
            link.shutdown(socket.SHUT_RDWR)
