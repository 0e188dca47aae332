# The local gateway library (in-process form, for tests) and the quorvia-gateway executable.
add_library(quorvia_localgw STATIC
  AdminApi.cpp AdminApi.h
  FaultPlan.cpp FaultPlan.h
  GatewayConfig.h
  GatewayService.cpp GatewayService.h
  LocalSession.cpp LocalSession.h
  HostileBodies.cpp HostileBodies.h
  InvitationMail.cpp InvitationMail.h
  HostTools.cpp HostTools.h
  HostInput.cpp HostInput.h
  LocalGateway.cpp LocalGateway.h
  PendingReply.h
  RequestLog.cpp RequestLog.h
  ServiceSite.cpp ServiceSite.h
  SimulatedHost.cpp SimulatedHost.h
  SyntheticDesktop.cpp SyntheticDesktop.h)
target_include_directories(quorvia_localgw PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quorvia_localgw PUBLIC quorvia_core quorvia_hostside quorvia_pki quorvia_httpserver)

quorvia_use_pch(quorvia_localgw core_pch)

add_executable(quorvia-gateway main.cpp)
target_link_libraries(quorvia-gateway PRIVATE quorvia_localgw)

# The simulated host as a client of the gateway service's host channel; apart from the rest,
# which needs no Boost.
add_library(quorvia_localgw_hostchannel STATIC HostChannelBridge.cpp HostChannelBridge.h)
target_link_libraries(quorvia_localgw_hostchannel PUBLIC quorvia_localgw quorvia_hostchannel_client)
