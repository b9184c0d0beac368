program Project1;

procedure Helper;
begin
end;

begin
end.
