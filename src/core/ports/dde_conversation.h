#pragma once

#include <string>

namespace core {

// A DDE client conversation with another program.
class DdeConversation {
 public:
  virtual ~DdeConversation() = default;
  // Closes a conversation left open and tries to connect to the service and topic at
  // once; true when connected.
  virtual bool SetLink(const std::string& service, const std::string& topic) = 0;
  // The program started when the service does not answer a connection attempt.
  virtual void SetServiceApplication(const std::string& program) = 0;
  // Connects when not connected yet; true when the conversation is open.
  virtual bool OpenLink() = 0;
  // Sends a command as an execute transaction, in plain text with its terminating
  // zero, without waiting for its completion; false when nothing was sent.
  virtual bool ExecuteMacro(const std::string& command) = 0;
  virtual void CloseLink() = 0;
};

}  // namespace core
