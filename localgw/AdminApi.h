#pragma once
#include "PendingReply.h"

namespace localgw {

class LocalGateway;

// The control API of the test mode, under "/_admin/" on the gateway's own port. Every
// operation is a GET or POST with query parameters; answers are JSON or text. The session is
// chosen with "key" (decoded) and defaults to the latest one.
//
//   state                         sessions, host state, armed faults (JSON)
//   log, log/clear                the request log as JSON lines; forget it
//   fault?gw=&code=&count=&kind=  arm a fault (kinds: see FaultPlan::fromQuery)
//   faults, faults/clear          list or drop the armed faults
//   next-key?value=               the key the next logon hands out
//   config?host-delay-ms=&poll-hold-ms=&info=&version-digits=&mail-fails=1|0
//   host/join | leave | vanish
//   host/silent?on=1|0            the screen program stops answering (until "RsPr")
//   host/serr?code=BLCKERR        the next picture request is answered "SErr?" + code
//   host/say?text=                a host message as it stands
//   host/pointer?x=&y=&click=1|0  the remote user's pointer moved (or clicked) there
//   host/wander?on=1|0            the remote user's pointer goes round on its own
//   host/hostile?kind=            a hostile body, announced like a real one
//   host/format?mode=auto|whole|rect
//   host/clock?running=1|0&advance=N
//   host/refuse?what=reboot|modes|clipboard|chat&on=1|0
//   host/identity?IP=&HN=&WV=&LA=
//   host/control?mode=view|full   the remote user grants view only or full control
//   host/reboot?delay-ms=N|never  how long the next reboot keeps the host away
//   host/dump?dir=D               desktop.png, reduced.png, shown.png into D
//   host/shown.png, host/desktop.png, host/reduced.png
//   host/costs                    CPU time and hold of the latest pictures (JSON)
namespace AdminApi {

bool isAdminPath(const QByteArray &path);
void handle(LocalGateway &gateway, const GatewayRequest &request, const ReplyPtr &reply);

} // namespace AdminApi

} // namespace localgw
