#pragma once
// Helpers of the document records that serve both directions (a record is one function template
// over TFieldWriter or TFieldReader): item records, counted lists of items and of owned objects,
// optional owned objects, and the object a record writes as the object a reader fills.
#include <cstdint>
#include <type_traits>

#include "construction/mat_items.h"
#include "shell/stream_fields.h"

namespace kv {

// The smallest stored value (a string's length field): no record is shorter.
inline constexpr size_t kMinStoredRecordSize = 4;

// The object a record was handed, without the constness that writing gives it (readers and the
// owners of new children need it as it is).
template <class S>
std::remove_const_t<S>* Mutable(S& Object) {
  return const_cast<std::remove_const_t<S>*>(&Object);
}

// An item of the material records (their own field lists serve both directions).
template <class A, class R>
void ItemRecord(A& a, R& Record) {
  if constexpr (A::kReading)
    LoadRecord(Record, a.Stream(), a.Version());
  else
    SaveRecord(Record, a.Stream(), a.Version());
}

template <class A, class L>
void ItemRecords(A& a, L& List) {
  CountedRecords(a, List, kMinStoredRecordSize, [](auto& archive, auto& item) { ItemRecord(archive, item); });
}

// A count followed by that many owned objects; the reader makes each with MakeItem.
template <class A, class L, class Create, class Each>
void OwnedRecords(A& a, L& List, Create MakeItem, Each Record) {
  int32_t count = static_cast<int32_t>(List.size());
  a.Int(count);
  if constexpr (A::kReading) {
    const size_t checked = CheckedCount(a.Stream(), count, kMinStoredRecordSize);
    List.clear();
    // Pointers only: the room stays within twice what the rest of the stream holds.
    List.reserve(checked);
    for (size_t i = 0; i < checked; ++i) {
      auto item = MakeItem();
      Record(a, *item);
      List.push_back(std::move(item));
    }
  } else {
    for (const auto& item : List) Record(a, *item);
  }
}

// A Bool telling whether the optional owned object exists, then its record.
template <class A, class P, class Create, class Each>
void OptionalRecord(A& a, P& Owned, Create MakeItem, Each Record) {
  bool exists = Owned != nullptr;
  a.Bool(exists);
  if constexpr (A::kReading) {
    // An object read over again (a copy assigned to it) drops what the stream does not hold.
    Owned = exists ? MakeItem() : nullptr;
  }
  if (exists) Record(a, *Owned);
}

// The add-on lists that constructions and orders both keep, in their stream order: additional
// profiles, mounting materials, sills, drips, insect nets, roller shutters, blinds, then the two
// counts (slopes, other materials) that are written without records.
template <class A, class Dop, class Mont, class Sills, class Nets, class Count>
void AddOnLists(A& a, Dop& DopProfs, Mont& MontMats, Sills& SillList, Sills& SinkList, Nets& Mosquitos, Nets& Rollets,
                Nets& Jalousies, Count& Slopes, Count& OtherMats) {
  ItemRecords(a, DopProfs);
  ItemRecords(a, MontMats);
  ItemRecords(a, SillList);
  ItemRecords(a, SinkList);
  ItemRecords(a, Mosquitos);
  ItemRecords(a, Rollets);
  ItemRecords(a, Jalousies);
  a.Int(Slopes);
  a.Int(OtherMats);
}

}  // namespace kv
