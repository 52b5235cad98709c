object StdCtrlsTestForm: TStdCtrlsTestForm
  Left = 120
  Top = 90
  Caption = 'Standard controls'
  ClientWidth = 420
  ClientHeight = 300
  object NameEdit: TLabeledEdit
    Left = 10
    Top = 30
    Width = 150
    Height = 21
    EditLabel.Caption = 'Name'
    MaxLength = 20
    TabOrder = 0
  end
  object Notes: TMemo
    Left = 10
    Top = 60
    Width = 200
    Height = 80
    Lines.Strings = (
      'first'
      #1074#1090#1086#1088#1072#1103)
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object Reports: TCheckListBox
    Left = 220
    Top = 10
    Width = 190
    Height = 100
    Columns = 2
    Items.Strings = (
      'One'
      'Two'
      'Three')
    TabOrder = 2
  end
  object Active: TCheckBox
    Left = 10
    Top = 150
    Width = 120
    Height = 17
    Caption = 'Active'
    Checked = True
    State = cbChecked
    TabOrder = 3
  end
  object Bottom: TPanel
    Left = 0
    Top = 250
    Width = 420
    Height = 50
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 4
    object OkButton: TButton
      Left = 330
      Top = 12
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
  end
end
