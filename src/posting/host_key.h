#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace drav {

// SSH host keys as the known-hosts file and ssh itself show them.

std::array<std::uint8_t, 32> Sha256(std::string_view data);
// Standard base64; with padded false the trailing '=' are left off (as in fingerprints).
std::string Base64(std::string_view data, bool padded = true);

// "SHA256:" + the unpadded base64 of the key blob's SHA-256, as ssh-keygen -l prints it.
std::string HostKeyFingerprint(std::string_view keyBlob);
// The key type the blob names in its first field ("ssh-ed25519", "ssh-rsa", ...); empty
// for a blob that is too short to hold one.
std::string HostKeyType(std::string_view keyBlob);
// The known-hosts line that trusts the key for host and port: the host alone for port 22,
// "[host]:port" otherwise, then the key type and the base64 blob.
std::string KnownHostLine(std::string_view host, int port, std::string_view keyBlob);

// Adds line to the known-hosts file (created if missing), on a line of its own.
// Throws DravError "Cannot write PATH" when the file cannot be written.
void AppendKnownHost(const std::string& path, std::string_view line);

}  // namespace drav
