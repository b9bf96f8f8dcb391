# The log of `vrt --log` with what changes from run to run masked, for comparing two runs
# (sed -E -f bench/mask_log.sed). A rule's line says its time only when the clock moved while
# it ran: that time is dropped whole. Then time stamps and the other timings become T.
s/完了\(Time:[^)]*\)/完了/g
s/ done \(time: [^)]*\)/ done/g
s/^[0-9]{4}[-\/][0-9]{2}[-\/][0-9]{2} [0-9:.]+ ?//
s/^[0-9:.]{8,12} ?//
s/( - |[0-9]+\.[0-9]+s?)\)/T)/g
s/Time:[^ )]*/Time:T/g
