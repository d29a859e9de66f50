#pragma once
// Thrown when writing the part list file fails. The code tells the caller what is on disk now:
//   0  the existing list could not be copied to Parts.old; nothing was written, the list is unchanged
//   1  writing failed and the list is as it was before
//   2  writing failed and the previous list could not be put back; Parts.old holds it
#include <exception>

class CLdrException : public std::exception {
 public:
  explicit CLdrException(int code) : m_code(code) {}
  int GetCode() const { return m_code; }
  const char* what() const noexcept override {
    switch (m_code) {
      case 0:
        return "copying the part list to Parts.old failed; nothing written";
      case 1:
        return "writing the part list failed; the previous list is in place";
      default:
        return "writing the part list failed and the previous list could not be restored";
    }
  }

 private:
  int m_code;
};
