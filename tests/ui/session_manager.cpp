// A desktop's session manager, reduced to what a log-out does to the
// program: it starts PROGRAM as a session client (SESSION_MANAGER set), and
// on SIGUSR1 asks it to save itself for a shutdown (the log-out). Once the
// client says it is done, the session ends at once, as when the X server
// goes away: the client is told to die and killed in the same breath, so
// whatever it had not saved by then is lost. Exits once PROGRAM has ended:
// 0 when it answered the log-out with a successful "save yourself done", 1
// otherwise, 2 when it could not start. For real_window_test.sh, which runs
// it as `session_manager PROGRAM`.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t log_out_requested = 0;

struct Session {
  pid_t program = 0;
  std::vector<IceConn> connections;
  SmsConn client = nullptr;
  bool logging_out = false;
  bool saved_for_log_out = false;
};

Session session;

// Only clients on this machine, through a local socket.
Bool LocalOnly(char* host) {
  return std::strncmp(host, "local/", 6) == 0 || std::strncmp(host, "unix/", 5) == 0;
}

Status RegisterClient(SmsConn connection, SmPointer, char* previous_id) {
  std::free(previous_id);
  char* id = SmsGenerateClientID(connection);
  const Status status = SmsRegisterClientReply(connection, id);
  std::free(id);
  session.client = connection;
  // A new client is asked at once for a local save (a checkpoint): it must
  // not end the program.
  SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);
  return status;
}

void SaveYourselfDone(SmsConn connection, SmPointer, Bool success) {
  if (session.logging_out) {
    session.saved_for_log_out = success;
    SmsDie(connection);
    IceFlush(SmsGetIceConnection(connection));
    kill(session.program, SIGKILL);
  } else {
    SmsSaveComplete(connection);
  }
}

void CloseConnection(SmsConn connection, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  if (connection == session.client) {
    session.client = nullptr;
  }
  SmsCleanUp(connection);
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) {
    SmFreeProperty(properties[i]);
  }
  std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  for (int i = 0; i < count; ++i) {
    std::free(names[i]);
  }
  std::free(names);
}

void GetProperties(SmsConn connection, SmPointer) {
  SmsReturnProperties(connection, 0, nullptr);
}

void InteractRequest(SmsConn connection, SmPointer, int) {
  SmsInteract(connection);  // granted at once: nobody else is asking
}
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void SaveYourselfPhase2Request(SmsConn connection, SmPointer) {
  SmsSaveYourselfPhase2(connection);
}

Status NewClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  std::memset(callbacks, 0, sizeof *callbacks);
  callbacks->register_client.callback = RegisterClient;
  callbacks->interact_request.callback = InteractRequest;
  callbacks->interact_done.callback = InteractDone;
  callbacks->save_yourself_request.callback = SaveYourselfRequest;
  callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
  callbacks->save_yourself_done.callback = SaveYourselfDone;
  callbacks->close_connection.callback = CloseConnection;
  callbacks->set_properties.callback = SetProperties;
  callbacks->delete_properties.callback = DeleteProperties;
  callbacks->get_properties.callback = GetProperties;
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
          SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
          SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
  return 1;
}

// A client that goes away is an ordinary end here, not a reason to exit.
void IgnoreIoError(IceConn) {}

void OnLogOutSignal(int) {
  log_out_requested = 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: session_manager PROGRAM [ARGUMENTS]\n");
    return 2;
  }
  IceSetIOErrorHandler(IgnoreIoError);
  char error[256] = "";
  if (!SmsInitialize("fractions-test", "1.0", NewClient, nullptr, LocalOnly, sizeof error, error)) {
    std::fprintf(stderr, "SmsInitialize: %s\n", error);
    return 2;
  }
  int listener_count = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&listener_count, &listeners, sizeof error, error)) {
    std::fprintf(stderr, "IceListenForConnections: %s\n", error);
    return 2;
  }
  // Only the local sockets are announced, and only local clients accepted.
  std::vector<IceListenObj> local;
  for (int i = 0; i < listener_count; ++i) {
    IceSetHostBasedAuthProc(listeners[i], LocalOnly);
    char* name = IceGetListenConnectionString(listeners[i]);
    if (LocalOnly(name)) {
      local.push_back(listeners[i]);
    }
    std::free(name);
  }
  char* ids = IceComposeNetworkIdList(static_cast<int>(local.size()), local.data());
  setenv("SESSION_MANAGER", ids, 1);
  std::free(ids);

  struct sigaction action = {};
  action.sa_handler = OnLogOutSignal;
  sigaction(SIGUSR1, &action, nullptr);

  const pid_t child = fork();
  session.program = child;
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }

  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (log_out_requested && session.client != nullptr && !session.logging_out) {
      session.logging_out = true;
      SmsSaveYourself(session.client, SmSaveBoth, True, SmInteractStyleAny, False);
    }
    std::vector<pollfd> watched;
    for (int i = 0; i < listener_count; ++i) {
      watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    }
    for (IceConn connection : session.connections) {
      watched.push_back({IceConnectionNumber(connection), POLLIN, 0});
    }
    if (poll(watched.data(), watched.size(), 100) <= 0) {
      continue;
    }
    // The connections polled first, then the new ones.
    std::vector<IceConn> open;
    for (size_t i = 0; i < session.connections.size(); ++i) {
      IceConn connection = session.connections[i];
      const pollfd& entry = watched[listener_count + i];
      if ((entry.revents & (POLLIN | POLLHUP | POLLERR)) &&
          IceProcessMessages(connection, nullptr, nullptr) != IceProcessMessagesSuccess) {
        IceSetShutdownNegotiation(connection, False);
        IceCloseConnection(connection);
        continue;
      }
      open.push_back(connection);
    }
    for (int i = 0; i < listener_count; ++i) {
      if (watched[i].revents & POLLIN) {
        IceAcceptStatus accepted;
        if (IceConn connection = IceAcceptConnection(listeners[i], &accepted)) {
          open.push_back(connection);
        }
      }
    }
    session.connections = open;
  }
  IceFreeListenObjs(listener_count, listeners);
  if (!session.saved_for_log_out) {
    std::fprintf(stderr, "the program did not save itself for the log-out\n");
    return 1;
  }
  return 0;
}
