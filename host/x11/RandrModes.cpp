#include "x11/RandrModes.h"

#include "x11/XcbReply.h"

#include <algorithm>

namespace qhost::x11 {

RandrModes::RandrModes(xcb_connection_t *connection, const xcb_screen_t *screen)
    : c(connection), screen(screen) {}

bool RandrModes::open() {
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_randr_id);
    if (!ext || !ext->present)
        return false;
    XcbReply<xcb_randr_query_version_reply_t> v(
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 3), nullptr));
    if (!v || (v->major_version == 1 && v->minor_version < 2))
        return false;
    available = true;
    eventBase = ext->first_event;
    xcb_randr_select_input(c, screen->root, XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE);
    return true;
}

bool RandrModes::isScreenChangeNotify(const xcb_generic_event_t *event) const {
    return available && (event->response_type & 0x7f) == eventBase + XCB_RANDR_SCREEN_CHANGE_NOTIFY;
}

bool RandrModes::readPrimary(Output *out) {
    XcbReply<xcb_randr_get_screen_resources_current_reply_t> res(
        xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, screen->root), nullptr));
    if (!res)
        return false;
    const xcb_randr_output_t *outputs = xcb_randr_get_screen_resources_current_outputs(res.get());
    const int outputCount = xcb_randr_get_screen_resources_current_outputs_length(res.get());
    XcbReply<xcb_randr_get_output_primary_reply_t> primary(xcb_randr_get_output_primary_reply(
        c, xcb_randr_get_output_primary(c, screen->root), nullptr));
    QList<xcb_randr_output_t> order;
    if (primary && primary->output)
        order.append(primary->output);
    for (int i = 0; i < outputCount; ++i)
        order.append(outputs[i]);

    const xcb_randr_mode_info_t *infos = xcb_randr_get_screen_resources_current_modes(res.get());
    const int infoCount = xcb_randr_get_screen_resources_current_modes_length(res.get());
    for (xcb_randr_output_t o : order) {
        XcbReply<xcb_randr_get_output_info_reply_t> info(xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, o, res->config_timestamp), nullptr));
        if (!info || info->connection != XCB_RANDR_CONNECTION_CONNECTED || !info->crtc)
            continue;
        XcbReply<xcb_randr_get_crtc_info_reply_t> crtc(xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, info->crtc, res->config_timestamp), nullptr));
        if (!crtc || !crtc->mode)
            continue;
        out->crtc = info->crtc;
        out->mode = crtc->mode;
        out->x = crtc->x;
        out->y = crtc->y;
        out->rotation = crtc->rotation;
        out->size = QSize(crtc->width, crtc->height);
        out->outputs.clear();
        const xcb_randr_output_t *crtcOutputs = xcb_randr_get_crtc_info_outputs(crtc.get());
        for (int i = 0; i < xcb_randr_get_crtc_info_outputs_length(crtc.get()); ++i)
            out->outputs.append(crtcOutputs[i]);
        out->modes.clear();
        const xcb_randr_mode_t *modes = xcb_randr_get_output_info_modes(info.get());
        for (int i = 0; i < xcb_randr_get_output_info_modes_length(info.get()); ++i) {
            for (int j = 0; j < infoCount; ++j) {
                if (infos[j].id == modes[i])
                    out->modes.append({modes[i], QSize(infos[j].width, infos[j].height)});
            }
        }
        return true;
    }
    return false;
}

QList<DesktopMode> RandrModes::modes() {
    QList<DesktopMode> list;
    Output primary;
    if (available && readPrimary(&primary)) {
        for (const auto &m : std::as_const(primary.modes)) {
            const DesktopMode mode{m.second, 24};
            if (!list.contains(mode))
                list.append(mode);
        }
        std::sort(list.begin(), list.end(), [](const DesktopMode &a, const DesktopMode &b) {
            return a.size.width() != b.size.width() ? a.size.width() > b.size.width()
                                                    : a.size.height() > b.size.height();
        });
    }
    const DesktopMode now = current();
    if (!list.contains(now))
        list.prepend(now);
    return list;
}

DesktopMode RandrModes::current() {
    Output primary;
    if (available && readPrimary(&primary))
        return {primary.size, 24};
    XcbReply<xcb_get_geometry_reply_t> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, screen->root), nullptr));
    return {g ? QSize(g->width, g->height) : QSize(), 24};
}

bool RandrModes::apply(const Output &output, xcb_randr_mode_t mode, QSize modeSize) {
    XcbReply<xcb_get_geometry_reply_t> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, screen->root), nullptr));
    if (!g)
        return false;
    const QSize oldScreen(g->width, g->height);
    // One output: the screen follows its mode. Beside others, it keeps covering all of them.
    QSize newScreen = modeSize;
    if (output.x != 0 || output.y != 0)
        newScreen = QSize(output.x + modeSize.width(), output.y + modeSize.height());
    const double dpmmX = screen->width_in_millimeters
                             ? double(screen->width_in_pixels) / screen->width_in_millimeters
                             : 96 / 25.4;
    const double dpmmY = screen->height_in_millimeters
                             ? double(screen->height_in_pixels) / screen->height_in_millimeters
                             : 96 / 25.4;
    auto setScreen = [&](QSize s) {
        XcbReply<xcb_generic_error_t> e(xcb_request_check(
            c, xcb_randr_set_screen_size_checked(c, screen->root, s.width(), s.height(),
                                                 uint32_t(s.width() / dpmmX),
                                                 uint32_t(s.height() / dpmmY))));
        return !e;
    };
    // The screen must hold the output at every step: it grows before the mode and shrinks
    // after it.
    const QSize grown = oldScreen.expandedTo(newScreen);
    if (grown != oldScreen && !setScreen(grown))
        return false;
    XcbReply<xcb_randr_set_crtc_config_reply_t> r(xcb_randr_set_crtc_config_reply(
        c,
        xcb_randr_set_crtc_config(c, output.crtc, XCB_CURRENT_TIME, XCB_CURRENT_TIME, output.x,
                                  output.y, mode, output.rotation, uint32_t(output.outputs.size()),
                                  output.outputs.constData()),
        nullptr));
    if (!r || r->status != XCB_RANDR_SET_CONFIG_SUCCESS) {
        if (grown != oldScreen)
            setScreen(oldScreen);
        return false;
    }
    if (newScreen != grown)
        setScreen(newScreen);
    xcb_flush(c);
    return true;
}

bool RandrModes::setMode(QSize size) {
    Output primary;
    if (!available || !readPrimary(&primary))
        return false;
    if (primary.size == size)
        return true;
    const auto found = std::find_if(primary.modes.cbegin(), primary.modes.cend(),
                                    [size](const auto &m) { return m.second == size; });
    if (found == primary.modes.cend())
        return false;
    if (!changed)
        original = primary;
    if (!apply(primary, found->first, size))
        return false;
    changed = true;
    return true;
}

void RandrModes::restore() {
    if (!changed)
        return;
    changed = false;
    Output primary;
    if (!readPrimary(&primary) || primary.crtc != original.crtc)
        return;
    if (primary.mode != original.mode)
        apply(primary, original.mode, original.size);
}

} // namespace qhost::x11
