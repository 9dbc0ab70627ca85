/* libMyHidApi.so on Linux: enumeration through libudev (one record per top-level
 * collection of each hidraw node, as the program filters on usage pages) and report
 * I/O straight on the hidraw node.
 *
 * One reader thread and one writer thread may share a handle: the handle holds only
 * the descriptors, which neither call changes, and every error goes out through the
 * return value and errno, both of which are per thread. A read waits in poll on the
 * node and on the handle's wake-up counter, so it costs nothing while the headset is
 * quiet and a stop request still ends it at once. */
#define _GNU_SOURCE
#include "MyHidApi.h"
#include "hid_descriptor.h"
#include "hidraw_device.h"

#include <libudev.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/eventfd.h>
#include <unistd.h>

struct hid_device_ {
    int fd;
    int wake_fd; /* eventfd: readable while a stop request waits for the reader */
};

enum { MAX_COLLECTIONS = 16, MAX_DESCRIPTOR = 4096 };

static wchar_t *wide_copy(const char *text)
{
    if (!text)
        return NULL;
    const size_t n = mbstowcs(NULL, text, 0);
    if (n == (size_t)-1) {
        /* Not valid in the current locale: keep the ASCII part. */
        const size_t len = strlen(text);
        wchar_t *w = calloc(len + 1, sizeof *w);
        if (w)
            for (size_t i = 0; i < len; ++i)
                w[i] = (unsigned char)text[i] < 0x80 ? (wchar_t)text[i] : L'?';
        return w;
    }
    wchar_t *w = calloc(n + 1, sizeof *w);
    if (w)
        mbstowcs(w, text, n + 1);
    return w;
}

/* "0003:00002E7A:00000411" -> vendor and product id. */
static int parse_hid_id(const char *hid_id, unsigned short *vendor, unsigned short *product)
{
    unsigned int bus = 0, vid = 0, pid = 0;
    if (!hid_id || sscanf(hid_id, "%x:%x:%x", &bus, &vid, &pid) != 3)
        return 0;
    *vendor = (unsigned short)vid;
    *product = (unsigned short)pid;
    return 1;
}

static size_t read_descriptor(struct udev_device *hid, unsigned char *buf, size_t cap)
{
    char path[512];
    snprintf(path, sizeof path, "%s/report_descriptor", udev_device_get_syspath(hid));
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    size_t total = 0;
    while (total < cap) {
        const ssize_t n = read(fd, buf + total, cap - total);
        if (n <= 0)
            break;
        total += (size_t)n;
    }
    close(fd);
    return total;
}

static int interface_number_of(struct udev_device *hidraw)
{
    struct udev_device *intf = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_interface");
    const char *text = intf ? udev_device_get_sysattr_value(intf, "bInterfaceNumber") : NULL;
    return text ? (int)strtol(text, NULL, 16) : -1;
}

static struct hid_device_info *new_record(const char *node, unsigned short vid, unsigned short pid,
                                          struct udev_device *hid, int interface_number,
                                          struct hid_collection_usage usage)
{
    struct hid_device_info *info = calloc(1, sizeof *info);
    if (!info)
        return NULL;
    info->path = strdup(node);
    info->vendor_id = vid;
    info->product_id = pid;
    info->serial_number = wide_copy(udev_device_get_property_value(hid, "HID_UNIQ"));
    info->product_string = wide_copy(udev_device_get_property_value(hid, "HID_NAME"));
    info->usage_page = usage.usage_page;
    info->usage = usage.usage;
    info->interface_number = interface_number;
    return info;
}

/* Appends one record per top-level collection of this hidraw node to *tail. */
static void add_node(struct udev_device *hidraw, unsigned short want_vid, unsigned short want_pid,
                     struct hid_device_info ***tail)
{
    const char *node = udev_device_get_devnode(hidraw);
    struct udev_device *hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", NULL);
    unsigned short vid = 0, pid = 0;
    if (!node || !hid || !parse_hid_id(udev_device_get_property_value(hid, "HID_ID"), &vid, &pid))
        return;
    if ((want_vid && want_vid != vid) || (want_pid && want_pid != pid))
        return;

    unsigned char desc[MAX_DESCRIPTOR];
    const size_t len = read_descriptor(hid, desc, sizeof desc);
    struct hid_collection_usage usages[MAX_COLLECTIONS];
    int count = hid_descriptor_top_level_usages(desc, len, usages, MAX_COLLECTIONS);
    if (count > MAX_COLLECTIONS)
        count = MAX_COLLECTIONS;
    if (count == 0) {
        usages[0].usage_page = 0;
        usages[0].usage = 0;
        count = 1;
    }
    const int interface_number = interface_number_of(hidraw);
    for (int i = 0; i < count; ++i) {
        struct hid_device_info *info = new_record(node, vid, pid, hid, interface_number, usages[i]);
        if (!info)
            return;
        **tail = info;
        *tail = &info->next;
    }
}

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    struct udev *udev = udev_new();
    if (!udev)
        return NULL;
    struct udev_enumerate *en = udev_enumerate_new(udev);
    struct hid_device_info *head = NULL;
    struct hid_device_info **tail = &head;
    if (en && udev_enumerate_add_match_subsystem(en, "hidraw") >= 0 && udev_enumerate_scan_devices(en) >= 0) {
        struct udev_list_entry *entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(en)) {
            struct udev_device *dev = udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
            if (!dev)
                continue;
            add_node(dev, vendor_id, product_id, &tail);
            udev_device_unref(dev);
        }
    }
    udev_enumerate_unref(en);
    udev_unref(udev);
    return head;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        struct hid_device_info *next = devs->next;
        free(devs->path);
        free(devs->serial_number);
        free(devs->manufacturer_string);
        free(devs->product_string);
        free(devs);
        devs = next;
    }
}

static int matches(const struct hid_device_info *d, unsigned short vid, unsigned short pid,
                   unsigned short interface_number, const wchar_t *serial, unsigned short usage_page)
{
    return d->vendor_id == vid && d->product_id == pid
        && (unsigned short)d->interface_number == interface_number
        && d->usage_page == usage_page
        && (!serial || (d->serial_number && wcscmp(serial, d->serial_number) == 0));
}

hid_device *hidraw_device_from_fd(int fd)
{
    hid_device *dev = calloc(1, sizeof *dev);
    const int wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (!dev || wake_fd < 0) {
        free(dev);
        if (wake_fd >= 0)
            close(wake_fd);
        close(fd);
        return NULL;
    }
    dev->fd = fd;
    dev->wake_fd = wake_fd;
    return dev;
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id, unsigned short interface_number,
                     const wchar_t *serial_number, unsigned short usage_page)
{
    struct hid_device_info *list = hid_enumerate(vendor_id, product_id);
    hid_device *dev = NULL;
    int error = ENODEV; /* no record matches */
    for (const struct hid_device_info *d = list; d; d = d->next) {
        if (!matches(d, vendor_id, product_id, interface_number, serial_number, usage_page))
            continue;
        const int fd = open(d->path, O_RDWR | O_CLOEXEC);
        if (fd >= 0)
            dev = hidraw_device_from_fd(fd);
        error = errno; /* EACCES or EPERM: the node is there but not this user's to open */
        break;
    }
    hid_free_enumeration(list);
    if (!dev)
        errno = error; /* the caller tells "may not open" from "not there" by it */
    return dev;
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    /* Reads always go through poll with the caller's time-out, so the mode needs no
     * state of its own; a zero time-out is the non-blocking read. */
    (void)nonblock;
    return dev ? 0 : -1;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    if (!dev || !data)
        return -1;
    ssize_t n;
    do {
        n = write(dev->fd, data, length);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : (int)n;
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    if (!dev || !data)
        return -1;
    struct pollfd pfd[2] = {{.fd = dev->fd, .events = POLLIN}, {.fd = dev->wake_fd, .events = POLLIN}};
    const int ready = poll(pfd, 2, milliseconds);
    if (ready < 0)
        return errno == EINTR ? 0 : -1;
    if (ready == 0)
        return 0;
    if (pfd[1].revents & POLLIN) {
        uint64_t count;
        if (read(dev->wake_fd, &count, sizeof count) < 0) {
            /* Nothing to do: another read took the wake-up first. */
        }
        return 0;
    }
    if (pfd[0].revents & (POLLERR | POLLHUP | POLLNVAL))
        return -1;
    const ssize_t n = read(dev->fd, data, length);
    if (n < 0)
        return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    return (int)n;
}

void hid_close(hid_device *dev)
{
    if (!dev)
        return;
    close(dev->fd);
    close(dev->wake_fd);
    free(dev);
}

void hid_interrupt_read(hid_device *dev)
{
    if (!dev)
        return;
    const uint64_t one = 1;
    if (write(dev->wake_fd, &one, sizeof one) < 0) {
        /* The counter is full only if a wake-up is already pending: nothing lost. */
    }
}
