#include "data/ByteStream.h"

#include <cstdio>
#include <fstream>

EFileError::EFileError(const std::string& FileName) : ELcfError("Cannot open file " + FileName) {}

void EReadError::AddPathPrefix(std::string_view Name) {
  if (Name.empty()) return;
  if (Path.empty())
    Path = std::string(Name);
  else if (Path.front() == '[')
    Path = std::string(Name) + Path;
  else
    Path = std::string(Name) + "." + Path;
}

void TByteReader::Fail() const { throw EReadError(FileOffset()); }

void TByteWriter::EndChunk(size_t Mark) {
  const uint32_t N = uint32_t(Data.size() - Mark);
  TByteWriter Head;
  Head.Ber(N);
  Data.insert(Data.begin() + std::ptrdiff_t(Mark), Head.Data.begin(), Head.Data.end());
}

void WriteBerInt(TByteWriter& Stream, int32_t Value, bool WithSize) {
  if (WithSize) Stream.Byte(uint8_t(TByteWriter::BerLength(uint32_t(Value))));
  Stream.BerInt(Value);
}

TBytes ReadWholeFile(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) throw EFileError(FileName);
  In.seekg(0, std::ios::end);
  const std::streamoff Length = In.tellg();
  if (Length < 0) throw EFileError(FileName);
  In.seekg(0, std::ios::beg);
  TBytes Data(static_cast<size_t>(Length));
  if (Length > 0 && !In.read(reinterpret_cast<char*>(Data.data()), Length)) throw EFileError(FileName);
  return Data;
}

void WriteWholeFile(const std::string& FileName, std::span<const uint8_t> Data) {
  const std::string Temp = FileName + ".tmp";
  {
    std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
    if (!Out) throw EFileError(Temp);
    Out.write(reinterpret_cast<const char*>(Data.data()), std::streamsize(Data.size()));
    Out.flush();
    if (!Out) {
      std::remove(Temp.c_str());
      throw EFileError(Temp);
    }
  }
  if (std::rename(Temp.c_str(), FileName.c_str()) != 0) {
    std::remove(Temp.c_str());
    throw EFileError(FileName);
  }
}
